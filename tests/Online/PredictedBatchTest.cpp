// Authoritative steps that arrive together, each differing from what the
// client predicted: the copy replays once, lands on the server's state at
// every step, and predicts on from there as it would have step by step.
#include <vector>

#include <gtest/gtest.h>

#include "app/match/Headings.h"
#include "app/match/Match.h"
#include "app/online/PredictedMatch.h"

namespace {

Tool::MatchSetup twoPeople()
{
    Tool::MatchSetup setup;
    setup.gridWidth = 30;
    setup.gridHeight = 30;
    setup.playerCount = 4;
    setup.humans = 2;
    setup.turnChance = 5;
    setup.levels = {0, 0, 2, 1};
    setup.startRandom = 99;
    setup.decisionRandom = 7;
    return setup;
}

TEST(PredictedMatch, StepsArrivingTogetherReplayOnceOntoTheServersState)
{
    const Tool::MatchSetup setup = twoPeople();
    // The server: the other person (player 1) turns every other step,
    // which the client, predicting it keeps its heading, gets wrong.
    Tool::Match server(setup);
    server.start(setup);
    std::vector<Online::Message> steps;
    for (std::uint32_t s = 1; s <= 12 && !server.isOver(); ++s) {
        Online::Message step;
        step.type = Online::MessageType::STEP;
        step.step = s;
        Tool::MatchInputs inputs;
        if (s % 2 == 0) {
            inputs.heading[1] = Tool::TURN_ODD[server.getPlayer(1).heading];
            step.headings.push_back({1, static_cast<std::uint8_t>(inputs.heading[1])});
        }
        server.step(inputs);
        step.checksum = server.checksum();
        steps.push_back(step);
    }
    ASSERT_EQ(steps.size(), 12u) << "the match must last the test";

    Online::PredictedMatch client;
    client.start(setup, {0});
    client.predictTo(12, 100);
    ASSERT_EQ(client.predictedStep(), 12u);
    int rolledBack = 0;
    for (std::size_t k = 0; k < 10; ++k) {
        SCOPED_TRACE(k);
        const auto outcome = client.confirm(steps[k]);
        ASSERT_NE(outcome, Online::PredictedMatch::Confirmation::DESYNC);
        ASSERT_NE(outcome, Online::PredictedMatch::Confirmation::BROKEN);
        rolledBack += outcome == Online::PredictedMatch::Confirmation::ROLLED_BACK ? 1 : 0;
    }
    EXPECT_GE(rolledBack, 1);
    EXPECT_EQ(client.confirmedStep(), 10u);
    // The replay puts the copy two steps ahead again; the last two
    // authoritative steps then hold (or roll back) without a desync.
    client.predictTo(12, 100);
    EXPECT_EQ(client.predictedStep(), 12u);
    for (std::size_t k = 10; k < 12; ++k) {
        EXPECT_NE(client.confirm(steps[k]), Online::PredictedMatch::Confirmation::DESYNC);
    }
    client.predictTo(12, 100);
    EXPECT_EQ(client.match().checksum(), server.checksum());
}

} // namespace
