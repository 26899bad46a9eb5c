#include <gtest/gtest.h>

#include "app/match/Headings.h"
#include "app/online/PredictedMatch.h"
#include "app/online/ServerMatch.h"
#include "app/replay/MatchHeader.h"

using Confirmation = Online::PredictedMatch::Confirmation;

namespace {

// A server's match and one client's prediction of it in lockstep, without
// a network: the client runs LEAD steps ahead of the last step it has
// confirmed, and its turns reach the server when the test says.
class Lockstep {
public:
    static constexpr unsigned long LEAD = 3;

    Lockstep() : server(base())
    {
        server.start(2, 11, 22, 1);
        Tool::MatchHeader header;
        std::size_t used = 0;
        std::string error;
        EXPECT_TRUE(Tool::MatchHeader::decode(server.header(), header, used, error)) << error;
        client.start(header.setup, {0});
        client.predictTo(LEAD, LEAD);
    }

    // Plays one server step and confirms it on the client, which then
    // predicts on to LEAD ahead.
    Confirmation step()
    {
        unsigned long dropped = 0;
        const Online::Message message = server.step(dropped);
        const Confirmation outcome = client.confirm(message);
        client.predictTo(client.confirmedStep() + LEAD, LEAD);
        return outcome;
    }

    // Two people (0 the client's, 1 someone else's) and two computer
    // players on a 120 x 90 grid: nobody meets a wall for 25 steps.
    static Tool::MatchSetup base()
    {
        Tool::MatchSetup setup;
        setup.gridWidth = 120;
        setup.gridHeight = 90;
        setup.playerCount = 4;
        setup.turnChance = 5;
        setup.levels = {2, 2, 1, 0};
        return setup;
    }

    Online::ServerMatch server;
    Online::PredictedMatch client;
};

} // namespace

TEST(PredictedMatchTest, AuthoritativeStepsConfirmOrRollBackThePrediction)
{
    struct Case {
        const char* row;
        // At step 5 (the server's next step): who turns and how it reaches
        // the server.
        int player;
        bool ownOnTime; // the client's turn, for a step the server has not played
        bool ownLate;   // the client's turn, reaching the server two steps late
        bool handOver;  // player 1 handed over to its computer player
        unsigned long rollbacks;
    };
    const Case cases[] = {
        {"nobody turns: every step as predicted", -1, false, false, false, 0},
        {"an own turn on time: as predicted", 0, true, false, false, 0},
        {"someone else's turn: one rollback", 1, false, false, false, 1},
        {"an own turn late: moved by the server, shown where it landed", 0, false, true, false, 2},
        {"a hand-over: one rollback, then the computer player as the server's", -1, false, false,
         true, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        Lockstep lockstep;
        unsigned long rollbacks = 0;
        unsigned long ownStep = 0;
        for (int n = 1; n <= 25; ++n) {
            if (n == 5 && c.player == 1) {
                lockstep.server.submit(1, 5, Tool::UP);
            }
            if (n == 5 && c.player == 0) {
                ownStep = lockstep.client.steer(0, Tool::UP);
                ASSERT_EQ(5u + Lockstep::LEAD, ownStep) << "the next step the client plays";
                if (c.ownOnTime) {
                    lockstep.server.submit(0, ownStep, Tool::UP);
                }
            }
            if (c.ownLate && ownStep != 0 && n == static_cast<int>(ownStep) + 2) {
                EXPECT_EQ(Online::InputBook::Verdict::MOVED,
                          lockstep.server.submit(0, ownStep, Tool::UP));
            }
            if (n == 5 && c.handOver) {
                lockstep.server.handOver(1);
            }
            const Confirmation outcome = lockstep.step();
            ASSERT_NE(Confirmation::DESYNC, outcome) << "step " << n;
            ASSERT_NE(Confirmation::BROKEN, outcome) << "step " << n;
            rollbacks += outcome == Confirmation::ROLLED_BACK ? 1 : 0;
        }
        EXPECT_EQ(c.rollbacks, rollbacks);
        Online::PredictedMatch& client = lockstep.client;
        client.finish();
        EXPECT_EQ(lockstep.server.match().checksum(), client.match().checksum());
        EXPECT_EQ(c.handOver, client.match().isHandedOver(1));
        if (c.player == 0) {
            EXPECT_EQ(Tool::UP, client.match().getPlayer(0).heading);
        }
    }
}

TEST(PredictedMatchTest, ACopyThatDivergedIsSetRightByTheFullState)
{
    Lockstep lockstep;
    for (int n = 0; n < 4; ++n) {
        ASSERT_EQ(Confirmation::AGREED, lockstep.step());
    }
    lockstep.client.corrupt();
    EXPECT_EQ(Confirmation::DESYNC, lockstep.step());
    Tool::MatchState full;
    lockstep.server.match().save(full);
    Tool::MatchState wrongStep = full;
    wrongStep.step += 1;
    EXPECT_FALSE(lockstep.client.restoreFull(wrongStep)) << "a state of another step";
    Tool::MatchState headOutside = full;
    headOutside.players[2].x = 500;
    EXPECT_FALSE(lockstep.client.restoreFull(headOutside)) << "a head outside the grid";
    ASSERT_TRUE(lockstep.client.restoreFull(full));
    for (int n = 0; n < 10; ++n) {
        ASSERT_NE(Confirmation::DESYNC, lockstep.step()) << n;
    }
    lockstep.client.finish();
    EXPECT_EQ(lockstep.server.match().checksum(), lockstep.client.match().checksum());
}
