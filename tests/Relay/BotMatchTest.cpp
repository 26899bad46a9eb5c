// Bots playing a real server through the lossy relay, all in this process
// on 127.0.0.1 and pumped together on the real clock: whole matches with
// no desync, and the bot's ways of failing to join.
#include <algorithm>
#include <chrono>
#include <memory>
#include <sstream>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "Support/Net/LossyRelay.h"
#include "app/bots/BotClient.h"
#include "app/online/ServerSession.h"

namespace {

using Online::BotClient;

double clockNow()
{
    return Online::LossyRelay::clock();
}

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

// Services the server, the relay and the bots until every bot has finished
// or seconds pass.
void pumpAll(Online::ServerSession& server, Online::LossyRelay* relay,
             std::vector<std::unique_ptr<BotClient>>& bots, double seconds)
{
    const double until = clockNow() + seconds;
    bool running = true;
    while (running && clockNow() < until) {
        const double now = clockNow();
        server.service(now);
        if (relay) {
            relay->pump(now);
        }
        running = false;
        for (auto& bot : bots) {
            running = bot->service(now) == BotClient::Outcome::RUNNING || running;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
}

TEST(BotMatch, BotsPlayWholeMatchesThroughALossyRelayWithoutDesync)
{
    std::ostringstream log;
    Online::ServerSession server(smallServer(), log);
    std::string error;
    ASSERT_TRUE(server.open(error)) << error;
    Online::RelayOptions lossy;
    lossy.targetPort = server.port();
    for (Online::RelayLink* link : {&lossy.toServer, &lossy.toClient}) {
        link->delayMs = 15;
        link->jitterMs = 5;
        link->loss = 0.05;
        link->duplicate = 0.01;
        link->reorder = 0.01;
    }
    lossy.maxSeconds = 60;
    Online::LossyRelay relay(lossy);
    ASSERT_TRUE(relay.open(error)) << error;

    std::vector<std::unique_ptr<BotClient>> bots;
    bots.emplace_back(new BotClient(botFor(relay.port(), 2, 2)));
    bots.emplace_back(new BotClient(botFor(relay.port(), 1, 2)));
    pumpAll(server, &relay, bots, 40);

    for (const auto& bot : bots) {
        EXPECT_EQ(bot->outcome(), BotClient::Outcome::DONE) << bot->failure();
        EXPECT_EQ(bot->matchesPlayed(), 2u);
        EXPECT_EQ(bot->session().counters().desyncs, 0u);
        EXPECT_FALSE(bot->session().lastResult().empty());
    }
    EXPECT_EQ(server.counters().matchesPlayed, 2u);
    EXPECT_GT(relay.toServer().lost + relay.toClient().lost, 0u) << "the relay did drop some";
    EXPECT_NE(log.str().find("start match=2 people=3 players=6"), std::string::npos) << log.str();
}

TEST(BotMatch, ALostStepIsSentAgainWithinAboutARoundTripEvenAtHighLoss)
{
    // At 20 % loss each way a packet and its acknowledgement both pass
    // only two times in three: a resend wait that kept doubling would
    // freeze the match for seconds now and then.
    std::ostringstream log;
    Online::ServerOptions served = smallServer();
    served.peerTimeout = 30;
    Online::ServerSession server(served, log);
    std::string error;
    ASSERT_TRUE(server.open(error)) << error;
    Online::RelayOptions lossy;
    lossy.targetPort = server.port();
    lossy.seed = 5;
    for (Online::RelayLink* link : {&lossy.toServer, &lossy.toClient}) {
        link->delayMs = 10;
        link->loss = 0.2;
    }
    Online::LossyRelay relay(lossy);
    ASSERT_TRUE(relay.open(error)) << error;
    Online::BotOptions options = botFor(relay.port(), 1, 5);
    options.timeout = 30;
    options.joinTimeout = 10;
    BotClient bot(options);

    double longestWait = 0;
    double confirmedAt = clockNow();
    unsigned long confirmed = 0;
    const double until = clockNow() + 60;
    while (bot.outcome() == BotClient::Outcome::RUNNING && clockNow() < until) {
        const double now = clockNow();
        server.service(now);
        relay.pump(now);
        bot.service(now);
        const Online::ClientSession& session = bot.session();
        if (session.phase() != Online::ClientSession::Phase::MATCH ||
            session.confirmedStep() != confirmed) {
            confirmed = session.confirmedStep();
            confirmedAt = now;
        }
        longestWait = std::max(longestWait, now - confirmedAt);
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    EXPECT_EQ(bot.outcome(), BotClient::Outcome::DONE) << bot.failure();
    EXPECT_EQ(bot.session().counters().desyncs, 0u);
    EXPECT_LT(longestWait, 0.75) << "seconds without a confirmed step";
}

TEST(BotMatch, FailsWithTheReasonWhenItCannotJoin)
{
    Online::ServerOptions closed = smallServer();
    closed.password = "sesame";
    std::ostringstream log;
    Online::ServerSession server(closed, log);
    std::string error;
    ASSERT_TRUE(server.open(error)) << error;
    // A relay whose every datagram is lost stands for a server nobody reaches.
    Online::RelayOptions deaf;
    deaf.targetPort = server.port();
    deaf.toServer.loss = 1.0;
    Online::LossyRelay relay(deaf);
    ASSERT_TRUE(relay.open(error)) << error;

    const struct {
        const char* name;
        std::uint16_t port;
        const char* password;
        const char* says;
    } rows[] = {{"wrong password", server.port(), "open sesame", "refused by 127.0.0.1:"},
                {"unreachable", relay.port(), "sesame", "could not join 127.0.0.1:"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Online::BotOptions options = botFor(row.port, 1, 1);
        options.password = row.password;
        options.joinTimeout = 1;
        std::vector<std::unique_ptr<BotClient>> bots;
        bots.emplace_back(new BotClient(options));
        const double start = clockNow();
        pumpAll(server, &relay, bots, 5);
        EXPECT_EQ(bots[0]->outcome(), BotClient::Outcome::FAILED);
        EXPECT_NE(bots[0]->failure().find(row.says), std::string::npos) << bots[0]->failure();
        EXPECT_LT(clockNow() - start, 3.0);
    }
}

} // namespace
