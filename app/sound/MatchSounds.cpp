#include "MatchSounds.h"

#include <algorithm>
#include <string>

#include "Game/GameManager.h"
#include "Sound/I_SoundController.h"
#include "app/input/Scoreboard.h"
#include "app/match/Match.h"

namespace Tool {

namespace {

const char* const FILE_NAMES[MatchSounds::CUES] = {"start.wav", "turn.wav", "crash.wav",
                                                   "win.wav",   "draw.wav", "pause.wav"};

constexpr int FULL_VOLUME = 100;

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
    play(START);
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
    if (score.result == "DRAW") {
        play(DRAW);
    } else if (match.isOver() && match.getOutcome() >= 0 && atThisWindow(match.getOutcome())) {
        play(WIN);
    }
}

bool MatchSounds::atThisWindow(int player) const
{
    return std::find(seats.begin(), seats.end(), player) != seats.end();
}

void MatchSounds::play(Cue cue, int channel)
{
    sound->play(cue, cue, channel, FULL_VOLUME);
}

} // namespace Tool
