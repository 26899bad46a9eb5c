// Bots playing a server on a network in memory with a bad network's habits,
// all in this process and pumped together on its simulated clock: whole
// matches with no desync, and the bot's ways of failing to join.
#include <memory>
#include <sstream>
#include <vector>

#include <gtest/gtest.h>

#include "Support/Net/MemoryNetwork.h"
#include "app/bots/BotClient.h"
#include "app/online/ServerSession.h"

namespace {

using Online::BotClient;

constexpr double TICK = 0.001;

Online::ServerOptions smallServer()
{
    Online::ServerOptions options;
    options.port = 0;
    options.setup.gridWidth = 24;
    options.setup.gridHeight = 18;
    options.setup.playerCount = 6;
    options.setup.turnChance = 5;
    options.setup.levels.assign(6, 2);
    options.moveTime = 0.02;
    options.startWait = 0;
    options.peerTimeout = 2;
    options.seed = 11;
    return options;
}

Online::BotOptions botFor(std::uint16_t port, int seats, unsigned long matches)
{
    Online::BotOptions options;
    options.host = "127.0.0.1";
    options.port = port;
    options.seats = seats;
    options.matches = matches;
    options.level = 2;
    options.seed = static_cast<std::uint32_t>(seats * 31);
    options.joinTimeout = 3;
    return options;
}

// Services the server and the bots every simulated millisecond until every
// bot has finished or seconds pass on the network's clock.
void pumpAll(TestSupport::MemoryNetwork& network, Online::ServerSession& server,
             std::vector<std::unique_ptr<BotClient>>& bots, double seconds)
{
    const double until = network.now() + seconds;
    bool running = true;
    while (running && network.now() < until) {
        network.advance(TICK);
        server.service(network.now());
        running = false;
        for (auto& bot : bots) {
            running = bot->service(network.now()) == BotClient::Outcome::RUNNING || running;
        }
    }
}

TEST(BotMatch, BotsPlayFiveWholeMatchesOnALossyNetworkWithoutDesync)
{
    // Time scaled down by three against the shipped step: 15 +/- 5 ms each
    // way at 20 ms a step, 5 % of the datagrams lost one by one and more in
    // bursts of four, some duplicated and some overtaken.
    TestSupport::MemoryNetwork network(42);
    for (TestSupport::LinkShape* link : {&network.toListener, &network.fromListener}) {
        link->delay = 0.015;
        link->jitter = 0.005;
        link->loss = 0.05;
        link->burstChance = 0.01;
        link->burstLength = 4;
        link->duplicate = 0.01;
        link->reorder = 0.01;
    }
    std::ostringstream log;
    Online::ServerSession server(smallServer(), log, network.endpoint());
    std::string error;
    ASSERT_TRUE(server.open(error)) << error;

    std::vector<std::unique_ptr<BotClient>> bots;
    bots.emplace_back(new BotClient(botFor(server.port(), 2, 5), network.endpoint()));
    bots.emplace_back(new BotClient(botFor(server.port(), 1, 5), network.endpoint()));
    pumpAll(network, server, bots, 120);

    for (const auto& bot : bots) {
        EXPECT_EQ(bot->outcome(), BotClient::Outcome::DONE) << bot->failure();
        EXPECT_EQ(bot->matchesPlayed(), 5u);
        EXPECT_EQ(bot->session().counters().desyncs, 0u);
        EXPECT_GT(bot->session().counters().rollbacks, 0u) << "the others' turns came late";
        EXPECT_FALSE(bot->session().lastResult().empty());
    }
    EXPECT_EQ(server.counters().matchesPlayed, 5u);
    const TestSupport::LinkCount& up = network.toListenerCount();
    const TestSupport::LinkCount& down = network.fromListenerCount();
    EXPECT_GT(up.lost + down.lost, 0u) << "the network did drop some";
    EXPECT_GT(up.duplicated + down.duplicated, 0u);
    EXPECT_GT(up.reordered + down.reordered, 0u);
    EXPECT_NE(log.str().find("start match=5 people=3 players=6"), std::string::npos) << log.str();
}

TEST(BotMatch, FailsWithTheReasonWhenItCannotJoin)
{
    TestSupport::MemoryNetwork network;
    Online::ServerOptions closed = smallServer();
    closed.password = "sesame";
    std::ostringstream log;
    Online::ServerSession server(closed, log, network.endpoint());
    std::string error;
    ASSERT_TRUE(server.open(error)) << error;

    const struct {
        const char* name;
        double loss; // towards the server
        const char* password;
        const char* says;
    } rows[] = {{"wrong password", 0.0, "open sesame", "refused by 127.0.0.1:"},
                {"unreachable: every datagram lost", 1.0, "sesame", "could not join 127.0.0.1:"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        network.toListener.loss = row.loss;
        Online::BotOptions options = botFor(server.port(), 1, 1);
        options.password = row.password;
        options.joinTimeout = 1;
        std::vector<std::unique_ptr<BotClient>> bots;
        bots.emplace_back(new BotClient(options, network.endpoint()));
        const double start = network.now();
        pumpAll(network, server, bots, 5);
        EXPECT_EQ(bots[0]->outcome(), BotClient::Outcome::FAILED);
        EXPECT_NE(bots[0]->failure().find(row.says), std::string::npos) << bots[0]->failure();
        EXPECT_LT(network.now() - start, 3.0);
    }
}

} // namespace
