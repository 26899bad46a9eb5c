#pragma once

#include <memory>
#include <string>

#include "BotOptions.h"
#include "BotPilot.h"
#include "app/online/ClientSession.h"

namespace Online {

// A headless client whose seats the computer players of one level steer:
// it joins, says it is ready, steers its seats once per step on the
// client's predicted match, and leaves after its matches. The load of the
// tests and benchmarks, and a way to fill a server: a real client over the
// real protocol. Owns its session and pilot; like the session, it never
// blocks and keeps no time of its own.
class BotClient {
public:
    enum class Outcome { RUNNING, DONE, FAILED };

    // On the real network, or over transport.
    explicit BotClient(const BotOptions& options);
    BotClient(const BotOptions& options, std::unique_ptr<I_Transport> transport);

    // Services the session at now (seconds, the caller's monotonic clock)
    // and does what the phase asks.
    Outcome service(double now);
    Outcome outcome() const { return state; }
    // Why it failed, in words: not let in, unreachable, server lost.
    const std::string& failure() const { return why; }
    unsigned long matchesPlayed() const { return played; }
    const ClientSession& session() const { return client; }
    ClientSession& session() { return client; }

private:
    void fail(const std::string& reason);
    void whileConnecting(double now);
    void steer();
    void matchEnded();

    BotOptions options;
    ClientSession client;
    BotPilot pilot;
    Outcome state = Outcome::RUNNING;
    std::string why;
    double firstService = -1;
    bool joined = false;
    bool inMatch = false;
    unsigned long steeredStep = 0;
    unsigned long played = 0;
};

} // namespace Online
