// Whose cues a window plays: the same match heard from windows that steer
// different seats, as an online client's does. Only the window's own
// people tick; the win chime is for the window whose person won, the lose
// cue for every other.
#include <gtest/gtest.h>

#include <vector>

#include "Game/GameManager.h"
#include "Sound/NullSoundController.h"
#include "app/input/Scoreboard.h"
#include "app/match/Headings.h"
#include "app/match/Match.h"
#include "app/sound/MatchSounds.h"

namespace {

using Cue = Tool::MatchSounds::Cue;

// Keeps the cues played, in order.
class HeardCues : public Sound::NullSoundController {
public:
    void play(int, int sound, int, int) override { cues.push_back(static_cast<Cue>(sound)); }
    std::vector<Cue> cues;
};

TEST(MatchSoundSeats, OnlyThisWindowsPeopleTickAndTheWinChimeIsTheirs)
{
    // Two people on a 16 x 12 arena: 0 starts at (4, 3) heading right, 1 at
    // (11, 8) heading left. 0 turns down, 1 turns up, 0 turns left into the
    // left wall and is out at step 6: 1 wins.
    Tool::MatchSetup setup;
    setup.gridWidth = 16;
    setup.gridHeight = 12;
    setup.humans = 2;
    setup.levels = {0, 0};
    const struct {
        std::vector<int> seats;
        std::vector<Cue> heard;
    } rows[] = {
        {{0}, {Cue::START, Cue::TURN, Cue::TURN, Cue::CRASH, Cue::LOSE}},
        {{1}, {Cue::START, Cue::TURN, Cue::CRASH, Cue::WIN}},
        {{0, 1}, {Cue::START, Cue::TURN, Cue::TURN, Cue::TURN, Cue::CRASH, Cue::WIN}},
        {{}, {Cue::START, Cue::CRASH, Cue::LOSE}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.seats.size());
        HeardCues sound;
        Game::GameManager manager(0, 0, 0, 0);
        manager.setSoundController(&sound);
        Tool::Match match(setup);
        Tool::Scoreboard score;
        Tool::MatchSounds cues(&manager, match, score, row.seats, "");
        match.start(setup);
        ++score.matchesStarted;
        cues.onGameUpdated(0);
        const int turns[][2] = {{0, Tool::DOWN}, {1, Tool::UP}, {0, Tool::LEFT}};
        for (int step = 0; !match.isOver() && step < 20; ++step) {
            Tool::MatchInputs inputs;
            if (step < 3) {
                inputs.heading[turns[step][0]] = turns[step][1];
            }
            match.step(inputs);
            cues.onGameUpdated(0);
        }
        ASSERT_EQ("WIN=1", match.result());
        score.result = match.result();
        cues.onGameUpdated(0);
        EXPECT_EQ(row.heard, sound.cues);
    }
}

} // namespace
