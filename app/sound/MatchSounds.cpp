#include "MatchSounds.h"

#include <string>

#include "Game/GameManager.h"
#include "app/MainLogic.h"
#include "Sound/I_SoundController.h"

namespace Tool {

namespace {

const char* const FILE_NAMES[MatchSounds::CUES] = {"start.wav", "turn.wav", "crash.wav",
                                                   "win.wav",   "draw.wav", "pause.wav"};

constexpr int FULL_VOLUME = 100;

} // namespace

MatchSounds::MatchSounds(Game::GameManager* manager, const MainLogic& match,
                         const std::string& folder)
    : manager(manager), sound(manager->getSoundController()), match(match)
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
    if (match.getMatchesStarted() != matchesSeen) {
        startMatch();
    }
    if (matchesSeen == 0 || resultSeen) {
        return;
    }
    if (match.isPaused() != pausedSeen) {
        pausedSeen = !pausedSeen;
        play(PAUSE);
    }
    if (match.getStepCount() != stepsSeen) {
        step();
    }
    if (!match.getResult().empty()) {
        finish();
    }
}

void MatchSounds::startMatch()
{
    matchesSeen = match.getMatchesStarted();
    stepsSeen = match.getStepCount();
    pausedSeen = match.isPaused();
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
        const MainLogic::Player& player = match.getPlayer(k);
        if (player.alive && match.isHuman(k) && player.heading != headings[k]) {
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
    const std::string& result = match.getResult();
    if (result == "DRAW") {
        play(DRAW);
    } else if (result.rfind("WIN=", 0) == 0) {
        play(WIN);
    }
}

void MatchSounds::play(Cue cue, int channel)
{
    sound->play(cue, cue, channel, FULL_VOLUME);
}

} // namespace Tool
