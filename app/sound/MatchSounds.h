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

// The match's sound cues, played on the game manager's sound controller: a match start (or,
// with a countdown, a tick on each of its seconds and "go" when play begins), a person's turn
// (soft and short), a crash (heard from where it happened), the win chime when a person at
// this window wins and the lose cue when nobody there does, a draw, and pause. It watches the
// match and its scoreboard from outside, as an update listener: each frame it compares what
// they show with what it saw last, so the rules carry no sound code and the cues come one frame after their
// step. Each cue has a source of its own, so a crash does not cut a turn short.
//
// The mix never clips: every sound file peaks at -1 dBFS and each cue plays at a volume of
// its own (volumeOf) with room for the others, and at most MAX_LOUD loud cues (start, go,
// crash and the results) sound at once: another start, go or crash is left out then, and a
// result cuts the crash short to make room. Owns nothing; the match, the scoreboard, the seats
// and the game manager outlive it.
class MatchSounds : public Game::I_GameUpdated {
public:
    enum Cue { START, TURN, CRASH, WIN, DRAW, PAUSE, LOSE, TICK, GO, CUES };
    static constexpr int MAX_LOUD = 2;

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
    // The volume the cue plays at, 0 to 100.
    static int volumeOf(Cue cue);

private:
    void startMatch();
    void countDown();
    void step();
    void finish();
    // Loud cues sounding now, the given one left out.
    int loudSounding(Cue besides);
    bool makeRoom(Cue cue);
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
    // Whole seconds of the countdown last heard; 0 once play began.
    int secondsSeen = 0;
    std::vector<int> headings;
    std::vector<bool> alive;
};

} // namespace Tool
