// The online play's figures, each from real sessions on 127.0.0.1 in this
// process (a server, bots, and the lossy relay where a bad network is
// asked for), on the real clock:
//   rollbacks MATCHES LOSS_PERCENT [MOVE_MS] [RTT_MS] [SEED]
//       4 bots (one seat each) and 12 level-2 computer players on 80 x 60
//       through the relay at RTT_MS +/- 20 % round trip (jitter both ways)
//       and LOSS_PERCENT loss each way; the share of authoritative steps
//       that rolled a client back, the deepest rollback, the desyncs.
//       Default MOVE_MS 20 and RTT_MS 50: 150 ms at the shipped 60 ms step,
//       scaled down together.
//   server-cpu
//       one match of 64 players on 256 x 192 at 60 ms a step, one bot
//       seat and 63 level-2 computer players; the server runs on a thread
//       of its own, whose processor time over the match is its share.
//   bandwidth
//       16 bots of one seat each on 80 x 60 at 60 ms a step; each client's
//       bytes per second up and down over a match, from ENet's counters.
//   join [BOTS]
//       BOTS (64) bots joining one server at once; time until all hold
//       their seat.
// Prints one line per figure; exit 1 when a goal is missed (desyncs,
// processor share, bytes, join time), 2 for bad arguments.
#include <time.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "Support/Net/LossyRelay.h"
#include "app/bots/BotClient.h"
#include "app/online/ServerSession.h"

namespace {

using Online::BotClient;
using Bots = std::vector<std::unique_ptr<BotClient>>;

double now()
{
    return TestSupport::LossyRelay::clock();
}

double threadSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

Online::ServerOptions serverFor(int width, int height, int players, int level, double moveTime)
{
    Online::ServerOptions options;
    options.port = 0;
    options.maxClients = 64;
    options.setup.gridWidth = width;
    options.setup.gridHeight = height;
    options.setup.playerCount = players;
    options.setup.turnChance = 5;
    options.setup.levels.assign(static_cast<std::size_t>(players), level);
    options.moveTime = moveTime;
    options.startWait = 0;
    options.seed = 12345;
    return options;
}

// A server listening on a free loopback port, logging into log; null, with
// the reason printed, when it cannot listen.
std::unique_ptr<Online::ServerSession> openServer(const Online::ServerOptions& options,
                                                  std::ostringstream& log)
{
    auto server = std::make_unique<Online::ServerSession>(options, log);
    std::string error;
    if (!server->open(error)) {
        std::printf("%s\n", error.c_str());
        return nullptr;
    }
    return server;
}

void addBots(Bots& bots, int count, std::uint16_t port, unsigned long matches, double timeout = 5)
{
    for (int k = 0; k < count; ++k) {
        Online::BotOptions options;
        options.host = "127.0.0.1";
        options.port = port;
        options.name = "bot" + std::to_string(k);
        options.matches = matches;
        options.level = 2;
        options.seed = static_cast<std::uint32_t>(k + 1);
        options.joinTimeout = 10;
        options.timeout = timeout;
        bots.emplace_back(new BotClient(options));
    }
}

// Services the bots (and the server and relay, when given) until done()
// holds or every bot has finished or failed, or seconds pass; false on
// time or on a failed bot (its reason printed).
template <typename Done>
bool pump(Bots& bots, Online::ServerSession* server, TestSupport::LossyRelay* relay, double seconds,
          Done done)
{
    const double until = now() + seconds;
    while (now() < until) {
        const double t = now();
        if (server) {
            server->service(t);
        }
        if (relay) {
            relay->pump(t);
        }
        bool running = false;
        for (auto& bot : bots) {
            if (bot->service(t) == BotClient::Outcome::FAILED) {
                std::printf("a bot failed: %s\n", bot->failure().c_str());
                return false;
            }
            running = running || bot->outcome() == BotClient::Outcome::RUNNING;
        }
        if (done() || !running) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    std::printf("out of time after %.0f s\n", seconds);
    return false;
}

std::string lastLines(const std::string& text, int count)
{
    std::size_t from = text.size();
    for (int k = 0; k <= count && from > 0; ++k) {
        from = text.rfind('\n', from - 1);
        if (from == std::string::npos) {
            return text;
        }
    }
    return text.substr(from + 1);
}

bool never()
{
    return false;
}

// The rollback counters of the bots' sessions, summed.
struct RollbackTally {
    unsigned long steps = 0;
    unsigned long rolled = 0;
    unsigned long deepest = 0;
    unsigned long desyncs = 0;
    unsigned long fullStates = 0;
    unsigned long played = ~0ul;

    void add(const BotClient& bot)
    {
        const Online::ClientSession::Counters& c = bot.session().counters();
        steps += c.authoritativeSteps;
        rolled += c.rollbacks;
        deepest = std::max(deepest, c.deepestRollback);
        desyncs += c.desyncs;
        fullStates += c.fullStateRequests;
        played = std::min(played, bot.matchesPlayed());
    }
    double share() const
    {
        return steps > 0 ? 100.0 * static_cast<double>(rolled) / static_cast<double>(steps) : 0.0;
    }
};

int rollbacks(unsigned long matches, double loss, double moveMs, double rttMs, unsigned seed)
{
    std::ostringstream log;
    // Four clients, the server and the relay share this one thread: a busy
    // moment of a shared machine delays them all at once, ENet's round
    // trip grows, the clients predict further ahead and replay more at
    // each rollback, which delays them more. Separate processes would not
    // feed each other so; here both ends get 30 s before giving up, and
    // the line reports the longest wait for a step instead.
    Online::ServerOptions served = serverFor(80, 60, 16, 2, moveMs / 1000.0);
    served.peerTimeout = 30;
    served.seed = seed;
    const auto opened = openServer(served, log);
    if (!opened) {
        return 1;
    }
    Online::ServerSession& server = *opened;
    TestSupport::RelayOptions options;
    options.targetPort = server.port();
    options.seed = seed * 1000 + static_cast<std::uint32_t>(loss);
    options.maxPackets = 100000000;
    options.maxSeconds = 24 * 3600;
    for (TestSupport::LinkShape* link : {&options.toServer, &options.toClient}) {
        link->delay = rttMs / 2 / 1000.0;
        link->jitter = rttMs / 10 / 1000.0; // +/- 20 % of the round trip over both ways
        link->loss = loss / 100;
    }
    TestSupport::LossyRelay relay(options);
    std::string error;
    if (!relay.open(error)) {
        std::printf("%s\n", error.c_str());
        return 1;
    }
    Bots bots;
    addBots(bots, 4, relay.port(), matches, 30);
    const double start = now();
    // The longest time any client waited between two confirmed steps of a
    // match.
    std::vector<unsigned long> lastConfirmed(bots.size(), 0);
    std::vector<double> confirmedAt(bots.size(), now());
    double longestWait = 0;
    // A line every 25 matches, so that a long run cut short still tells.
    unsigned long shown = 0;
    const auto report = [&] {
        const double t = now();
        for (std::size_t k = 0; k < bots.size(); ++k) {
            const Online::ClientSession& session = bots[k]->session();
            if (session.phase() != Online::ClientSession::Phase::MATCH) {
                confirmedAt[k] = t;
            } else if (session.confirmedStep() != lastConfirmed[k]) {
                lastConfirmed[k] = session.confirmedStep();
                confirmedAt[k] = t;
            }
            longestWait = std::max(longestWait, t - confirmedAt[k]);
        }
        RollbackTally tally;
        for (const auto& bot : bots) {
            tally.add(*bot);
        }
        if (tally.played == shown) {
            return false;
        }
        shown = tally.played;
        if (shown % 25 == 0 || shown == matches) {
            std::printf(
                "relay %.0f ms +/- %.0f ms round trip, %.0f %% loss each way, step %.0f ms: "
                "%lu matches (4 bots + 12 level-2) in %.0f s; steps with a rollback "
                "%.2f %% (%lu of %lu), deepest rollback %lu steps, desyncs %lu, full "
                "states %lu, longest wait for a step %.2f s; relay lost %lu of %lu\n",
                rttMs, rttMs / 5, loss, moveMs, shown, now() - start, tally.share(), tally.rolled,
                tally.steps, tally.deepest, tally.desyncs, tally.fullStates, longestWait,
                relay.toServer().lost + relay.toClient().lost,
                relay.toServer().received + relay.toClient().received);
            std::fflush(stdout);
        }
        return false;
    };
    // A match lasts well under a minute even at 60 ms a step.
    const bool finished = pump(bots, &server, &relay, 60.0 * static_cast<double>(matches), report);
    report();
    if (!finished) {
        const Online::ServerSession::Counters& c = server.counters();
        for (const auto& bot : bots) {
            std::printf("bot: phase %d, round trip %d ms, confirmed step %lu, predicted %lu, "
                        "matches %lu; ",
                        static_cast<int>(bot->session().phase()), bot->session().roundTripMs(),
                        bot->session().confirmedStep(), bot->session().predictedStep(),
                        bot->matchesPlayed());
        }
        std::printf("longest wait %.2f s\n", longestWait);
        std::printf("server: malformed %lu, rate limited %lu, dropped inputs %lu, peers cut %lu; "
                    "its log's end:\n%s\n",
                    c.malformed, c.rateLimited, c.droppedInputs, c.disconnectedPeers,
                    lastLines(log.str(), 8).c_str());
    }
    RollbackTally tally;
    for (const auto& bot : bots) {
        tally.add(*bot);
    }
    return finished && tally.played == matches && tally.desyncs == 0 ? 0 : 1;
}

int serverCpu()
{
    std::ostringstream log;
    const auto opened = openServer(serverFor(256, 192, 64, 2, 0.06), log);
    if (!opened) {
        return 1;
    }
    Online::ServerSession& server = *opened;
    std::atomic<bool> stop(false);
    double cpu = 0;
    double wall = 0;
    unsigned long steps = 0;
    // The server alone on this thread: its processor time over the match
    // (from the first step to the result) is the figure.
    std::thread serving([&] {
        double cpuStart = -1;
        double wallStart = 0;
        while (!stop) {
            server.service(now());
            const bool running = server.state() == Online::ServerSession::State::RUNNING;
            if (running && cpuStart < 0) {
                cpuStart = threadSeconds();
                wallStart = now();
            } else if (!running && cpuStart >= 0) {
                cpu = threadSeconds() - cpuStart;
                wall = now() - wallStart;
                steps = server.counters().stepsPlayed;
                cpuStart = -1;
                wallStart = 0;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
    Bots bots;
    addBots(bots, 1, server.port(), 1);
    const bool finished = pump(bots, nullptr, nullptr, 600, never);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    stop = true;
    serving.join();
    const double share = wall > 0 ? 100.0 * cpu / wall : 0;
    std::printf("server processor time, 64 players on 256 x 192 at 60 ms (1 bot, 63 level-2): "
                "%.2f %% of one core (%.2f s over %.1f s, %lu steps, %.2f ms a step); goal 5 %%\n",
                share, cpu, wall, steps, steps > 0 ? 1000.0 * cpu / static_cast<double>(steps) : 0);
    return finished && wall > 0 && share <= 5.0 ? 0 : 1;
}

int bandwidth()
{
    std::ostringstream log;
    const auto opened = openServer(serverFor(80, 60, 16, 2, 0.06), log);
    if (!opened) {
        return 1;
    }
    Online::ServerSession& server = *opened;
    Bots bots;
    addBots(bots, 16, server.port(), 1);
    // Counted from the match's start to its end, so joining is not in it.
    const auto inMatch = [&] {
        return std::all_of(bots.begin(), bots.end(), [](const std::unique_ptr<BotClient>& bot) {
            return bot->session().phase() == Online::ClientSession::Phase::MATCH;
        });
    };
    if (!pump(bots, &server, nullptr, 30, inMatch)) {
        return 1;
    }
    std::vector<std::uint64_t> up0;
    std::vector<std::uint64_t> down0;
    for (const auto& bot : bots) {
        up0.push_back(bot->session().bytesSent());
        down0.push_back(bot->session().bytesReceived());
    }
    const double start = now();
    const auto over = [&] { return server.state() != Online::ServerSession::State::RUNNING; };
    if (!pump(bots, &server, nullptr, 600, over)) {
        return 1;
    }
    const double seconds = now() - start;
    double up = 0;
    double down = 0;
    double upMost = 0;
    double downMost = 0;
    for (std::size_t k = 0; k < bots.size(); ++k) {
        const double u = static_cast<double>(bots[k]->session().bytesSent() - up0[k]) / seconds;
        const double d =
            static_cast<double>(bots[k]->session().bytesReceived() - down0[k]) / seconds;
        up += u / static_cast<double>(bots.size());
        down += d / static_cast<double>(bots.size());
        upMost = std::max(upMost, u);
        downMost = std::max(downMost, d);
    }
    std::printf("bytes per client per second, 16 people on 80 x 60 at 60 ms over a %.1f s match "
                "(ENet's counters): down %.0f B/s (most %.0f; goal 2048), up %.0f B/s (most "
                "%.0f; goal 500)\n",
                seconds, down, downMost, up, upMost);
    return downMost <= 2048 && upMost <= 500 ? 0 : 1;
}

int join(int count)
{
    std::ostringstream log;
    const auto opened = openServer(serverFor(256, 192, 64, 2, 0.06), log);
    if (!opened) {
        return 1;
    }
    Online::ServerSession& server = *opened;
    Bots bots;
    const double start = now();
    addBots(bots, count, server.port(), 1);
    const auto seated = [&] { return server.personSeats() == count; };
    const bool done = pump(bots, &server, nullptr, 30, seated);
    const double seconds = now() - start;
    std::printf("%d bots joining one server on loopback: %d seats held after %.2f s; goal 5 s\n",
                count, server.personSeats(), seconds);
    return done && server.personSeats() == count && seconds <= 5 ? 0 : 1;
}

int usage()
{
    std::fprintf(stderr, "usage: vektra_online_figures rollbacks MATCHES LOSS_PERCENT [MOVE_MS] "
                         "[RTT_MS] [SEED] | server-cpu | bandwidth | join [BOTS]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        return usage();
    }
    const auto number = [&](std::size_t k, double fallback) {
        return k < args.size() ? std::atof(args[k].c_str()) : fallback;
    };
    if (args[0] == "rollbacks" && args.size() >= 3 && number(1, 0) >= 1) {
        return rollbacks(static_cast<unsigned long>(number(1, 1)), number(2, 5), number(3, 20),
                         number(4, 50), static_cast<unsigned>(number(5, 1)));
    }
    if (args[0] == "server-cpu") {
        return serverCpu();
    }
    if (args[0] == "bandwidth") {
        return bandwidth();
    }
    if (args[0] == "join" && number(1, 64) >= 1 && number(1, 64) <= 64) {
        return join(static_cast<int>(number(1, 64)));
    }
    return usage();
}
