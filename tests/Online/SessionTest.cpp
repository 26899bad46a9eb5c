#include "OnlineFixture.h"

#include "app/match/Headings.h"

using Phase = Online::ClientSession::Phase;

TEST_F(OnlineFixture, TwoClientsPlayAWholeMatchToTheServersResultAndChecksum)
{
    startServer(quickOptions());
    Online::ClientSession& ann = addClient("ann");
    Online::ClientSession& bob = addClient("bob", 2);
    ASSERT_TRUE(pumpUntil([&] { return joined(ann) && joined(bob) && ann.lobby().size() == 2; }));
    EXPECT_EQ("ann", ann.lobby()[0].name);
    EXPECT_EQ(2, ann.lobby()[1].seats);
    EXPECT_EQ(3, server->personSeats());
    ann.setReady(true);
    ASSERT_TRUE(pumpUntil([&] { return bob.lobby().size() == 2 && bob.lobby()[0].ready; }));
    EXPECT_EQ(Online::ServerSession::State::LOBBY, server->state()) << "bob is not ready yet";
    bob.setReady(true);
    ASSERT_TRUE(
        pumpUntil([&] { return ann.phase() == Phase::MATCH && bob.phase() == Phase::MATCH; }));
    EXPECT_EQ(std::vector<int>{0}, ann.myPlayers());
    EXPECT_EQ((std::vector<int>{1, 2}), bob.myPlayers());
    EXPECT_EQ("bob", ann.names()[2]);
    EXPECT_EQ("", ann.names()[3]) << "a computer player has no name";
    // Ann steers a square so that her turns go through the server.
    int turns = 0;
    const int square[4] = {Tool::DOWN, Tool::LEFT, Tool::UP, Tool::RIGHT};
    ASSERT_TRUE(pumpUntil([&] {
        if (ann.phase() == Phase::MATCH && ann.predictedStep() % 3 == 0) {
            ann.steer(0, square[turns++ % 4]);
        }
        return ann.phase() == Phase::OVER && bob.phase() == Phase::OVER;
    }));
    const Tool::Match& served = *server->match();
    for (const Online::ClientSession* client : {&ann, &bob}) {
        EXPECT_EQ(served.result(), client->lastResult());
        EXPECT_EQ(served.checksum(), client->match().checksum());
        EXPECT_EQ(served.getStepCount(), client->match().getStepCount());
        EXPECT_EQ(0u, client->counters().desyncs);
    }
    const std::string text = log.str();
    for (const char* line : {"join ann seats=1 clients=1", "join bob seats=2 clients=2",
                             "start match=1 people=3 players=4", "result match=1 "}) {
        EXPECT_NE(std::string::npos, text.find(line)) << line << " in\n" << text;
    }
}
