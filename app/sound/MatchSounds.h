#pragma once

#include <string>
#include <vector>

#include "Game/I_GameUpdated.h"

namespace Game {
class GameManager;
}
namespace Sound {
class I_SoundController;
}

namespace Tool {

class Match;
struct Scoreboard;

// The match's sound cues, played on the game manager's sound controller: a match start, a
// turn of a person at this window (soft and short), a crash (heard from where it happened), a
// win of a person at this window, a draw and pause. It watches the match and its scoreboard
// from outside, as an update listener: each frame it compares what they show with what it saw
// last, so the rules carry no sound code and the cues come one frame after their step. Each
// cue has a source of its own, so a crash does not cut a turn short. Owns nothing; the match,
// the scoreboard, the seats and the game manager outlive it.
class MatchSounds : public Game::I_GameUpdated {
public:
    enum Cue { START, TURN, CRASH, WIN, DRAW, PAUSE, CUES };

    // Loads the cues from folder (soundFolder()) into the manager's sound controller, sources
    // and sounds numbered as the cues; a file that does not load leaves its cue silent.
    // Listens to the manager's updates until destroyed. seats: the player numbers the people
    // at this window steer, read at every step (they may change from one match to the next).
    MatchSounds(Game::GameManager* manager, const Match& match, const Scoreboard& score,
                const std::vector<int>& seats, const std::string& folder);
    ~MatchSounds() override;
    MatchSounds(const MatchSounds&) = delete;
    MatchSounds& operator=(const MatchSounds&) = delete;

    void onGameUpdated(const float& delta) override;

    // The cue's file name without its folder ("crash.wav").
    static const char* fileName(Cue cue);

private:
    void startMatch();
    void step();
    void finish();
    void play(Cue cue, int channel = 0);
    bool atThisWindow(int player) const;

    Game::GameManager* manager;
    Sound::I_SoundController* sound;
    const Match& match;
    const Scoreboard& score;
    const std::vector<int>& seats;
    // What the match showed when last looked at.
    int matchesSeen = 0;
    unsigned long stepsSeen = 0;
    bool pausedSeen = false;
    bool resultSeen = false;
    std::vector<int> headings;
    std::vector<bool> alive;
};

} // namespace Tool
