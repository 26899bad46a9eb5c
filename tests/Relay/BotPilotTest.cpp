// The bot's pilot steering person seats of a real match: it plays as well
// as the computer players of its level and never asks for a turn the
// server would refuse.
#include <vector>

#include <gtest/gtest.h>

#include "app/bots/BotPilot.h"
#include "app/match/Headings.h"
#include "app/match/Match.h"

namespace {

Tool::MatchSetup setupFor(int humans, std::uint32_t seed)
{
    Tool::MatchSetup setup;
    setup.gridWidth = 40;
    setup.gridHeight = 30;
    setup.playerCount = 4;
    setup.humans = humans;
    setup.turnChance = 5;
    setup.levels.assign(4, 0);
    setup.startRandom = seed;
    setup.decisionRandom = seed * 7u + 1u;
    // As the server plays online: every turn straight back dropped.
    setup.reversals = Tool::ReversalPolicy::DROPPED;
    return setup;
}

TEST(BotPilot, SteersPersonSeatsAsWellAsItsLevelAndNeverBack)
{
    // Two piloted seats at level 2 against two classic computer players:
    // the pilots win most matches, and each turn is one the rules allow.
    int pilotWins = 0;
    const int matches = 20;
    for (int m = 0; m < matches; ++m) {
        SCOPED_TRACE(m);
        const Tool::MatchSetup setup = setupFor(2, 1000u + static_cast<std::uint32_t>(m));
        Tool::Match match(setup);
        match.start(setup);
        Online::BotPilot pilot(2, 77u + static_cast<std::uint32_t>(m));
        const std::vector<int> seats = {0, 1};
        pilot.startMatch(match, seats);
        while (!match.isOver() && match.getStepCount() < 2000) {
            const std::vector<int> headings = pilot.decide(match, seats);
            ASSERT_EQ(headings.size(), 2u);
            Tool::MatchInputs inputs;
            for (int seat = 0; seat < 2; ++seat) {
                const int heading = headings[static_cast<std::size_t>(seat)];
                if (heading != Tool::MatchInputs::KEEP) {
                    ASSERT_NE(heading, match.getPlayer(seat).heading) << "KEEP says no turn";
                    ASSERT_NE(heading, Tool::BACK[match.getPlayer(seat).heading]);
                }
                inputs.heading[seat] = heading;
            }
            match.step(inputs);
        }
        ASSERT_TRUE(match.isOver());
        pilotWins += match.getOutcome() == 0 || match.getOutcome() == 1 ? 1 : 0;
    }
    EXPECT_GE(pilotWins, 17) << "of " << matches;
}

} // namespace
