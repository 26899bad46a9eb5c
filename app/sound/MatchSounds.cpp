#include "MatchSounds.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "Game/GameManager.h"
#include "Sound/I_SoundController.h"
#include "app/input/Scoreboard.h"
#include "app/match/Match.h"
#include "app/input/SeatResult.h"

namespace Tool {

namespace {

const char* const FILE_NAMES[MatchSounds::CUES] = {"start.wav", "turn.wav", "crash.wav",
                                                   "win.wav",   "draw.wav", "pause.wav",
                                                   "lose.wav",  "tick.wav", "go.wav"};

// Each file peaks at -1 dBFS. Two loud cues at 40 and the turn at 15 add up to 95 % of that,
// so even their peaks meeting in one channel stay below it.
const int VOLUMES[MatchSounds::CUES] = {40, 15, 40, 40, 40, 30, 40, 30, 40};
const bool LOUD[MatchSounds::CUES] = {true, false, true, true, true, false, true, false, true};

} // namespace

MatchSounds::MatchSounds(Game::GameManager* manager, const Match& match, const Scoreboard& score,
                         const std::vector<int>& seats, const std::string& folder)
    : manager(manager), sound(manager->getSoundController()), match(match), score(score),
      seats(seats)
{
    for (int cue = 0; cue < CUES; ++cue) {
        sound->addSource(cue, false);
        // A missing or broken file leaves the cue's sound empty: playing it does nothing.
        if (!folder.empty()) {
            (void)sound->load(cue, folder + "/" + FILE_NAMES[cue]);
        }
    }
    manager->addGameUpdated(this);
}

MatchSounds::~MatchSounds()
{
    manager->removeGameUpdated(this);
}

const char* MatchSounds::fileName(Cue cue)
{
    return FILE_NAMES[cue];
}

int MatchSounds::volumeOf(Cue cue)
{
    return VOLUMES[cue];
}

void MatchSounds::onGameUpdated(const float&)
{
    if (score.matchesStarted != matchesSeen) {
        startMatch();
    }
    if (matchesSeen == 0 || resultSeen) {
        return;
    }
    if (score.paused != pausedSeen) {
        pausedSeen = !pausedSeen;
        play(PAUSE);
    }
    if (secondsSeen > 0) {
        countDown();
    }
    if (match.getStepCount() != stepsSeen) {
        step();
    }
    if (!score.result.empty()) {
        finish();
    }
}

void MatchSounds::startMatch()
{
    matchesSeen = score.matchesStarted;
    stepsSeen = match.getStepCount();
    pausedSeen = score.paused;
    resultSeen = false;
    const int count = match.getPlayerCount();
    headings.assign(static_cast<std::size_t>(count), 0);
    alive.assign(static_cast<std::size_t>(count), false);
    for (int k = 0; k < count; ++k) {
        headings[k] = match.getPlayer(k).heading;
        alive[k] = match.getPlayer(k).alive;
    }
    // A countdown's ticks take the start cue's place.
    secondsSeen = 0;
    if (score.pace.countdownLeft() > 0) {
        countDown();
    } else {
        play(START);
    }
}

void MatchSounds::countDown()
{
    const int seconds = static_cast<int>(std::ceil(score.pace.countdownLeft() / 1000));
    if (seconds != secondsSeen) {
        play(seconds > 0 ? TICK : GO);
        secondsSeen = seconds;
    }
}

void MatchSounds::step()
{
    stepsSeen = match.getStepCount();
    bool turned = false;
    int crashedAt = -1;
    for (int k = 0; k < match.getPlayerCount(); ++k) {
        const PlayerHead& player = match.getPlayer(k);
        if (player.alive && match.isHuman(k) && atThisWindow(k) && player.heading != headings[k]) {
            turned = true;
        }
        if (alive[k] && !player.alive && crashedAt < 0) {
            crashedAt = player.x;
        }
        headings[k] = player.heading;
        alive[k] = player.alive;
    }
    if (turned) {
        play(TURN);
    }
    if (crashedAt >= 0) {
        // Left wall -100, right wall 100: the crash is heard where it happened.
        const int width = match.getGridWidth() - 1;
        play(CRASH, width > 0 ? crashedAt * 200 / width - 100 : 0);
    }
}

void MatchSounds::finish()
{
    resultSeen = true;
    const std::string& result = score.result;
    if (result == "DRAW") {
        play(DRAW);
    } else if (result.rfind("WIN=", 0) == 0) {
        play(SeatResult::wonBy(result, seats) ? WIN : LOSE);
    }
}

bool MatchSounds::atThisWindow(int player) const
{
    return std::find(seats.begin(), seats.end(), player) != seats.end();
}

int MatchSounds::loudSounding(Cue besides)
{
    int sounding = 0;
    for (int other = 0; other < CUES; ++other) {
        sounding += LOUD[other] && other != besides && sound->isPlaying(other) ? 1 : 0;
    }
    return sounding;
}

bool MatchSounds::makeRoom(Cue cue)
{
    if (loudSounding(cue) < MAX_LOUD) {
        return true;
    }
    // A result is never left out: the crash gives way to it. Start and go never sound
    // together, so what is left is one loud cue at most.
    if (cue == WIN || cue == LOSE || cue == DRAW) {
        sound->stop(CRASH);
        return true;
    }
    return false;
}

void MatchSounds::play(Cue cue, int channel)
{
    if (LOUD[cue] && !makeRoom(cue)) {
        return;
    }
    sound->play(cue, cue, channel, VOLUMES[cue]);
}

} // namespace Tool
