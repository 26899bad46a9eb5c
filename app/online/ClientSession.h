#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <memory>

#include "I_Transport.h"
#include "Message.h"
#include "PredictedMatch.h"
#include "app/match/Match.h"

namespace Online {

// What a client asks for when it joins.
struct ClientOptions {
    std::string host = "127.0.0.1";
    std::uint16_t port = Protocol::DEFAULT_PORT;
    std::string name = "player";
    // Empty: join an open server (a server with a password refuses it).
    std::string password;
    // People on this machine who take a seat each, 1 to 4.
    int seats = 1;
    // The token a previous join received (token()), to take its seats back
    // within the server's reconnect window; 0 for a new join.
    std::uint64_t token = 0;
    // Seconds without an answer before the server counts as gone.
    double timeout = 5;
};

// One client's side of an online match: joins a server, shows its lobby,
// and plays the server's matches on a local copy that runs ahead of the
// server by about the round trip. The people's own turns are applied at
// once on that copy; other people are predicted to keep their heading and
// computer players are computed as the server computes them. When an
// authoritative step differs from what was predicted, the copy goes back
// to the last confirmed step and plays forward again (a rollback); a
// checksum that still differs is a desync, healed by the full state the
// server sends on request.
//
// Nothing here blocks or keeps time: service(now) does all the work, with
// now a monotonic clock in seconds that the caller owns (real time, not a
// game clock that may pause: the server steps in real time; clock() is the
// transport's). Call it every frame. After OVER the lobby goes on:
// setReady(true) again for the next match. Destroying a session without
// leave() is a lost connection to the server (its seats go to computer
// players, its token stays good for the reconnect window). Owns its
// transport and the local match.
//
// The interface grows by additions only; nothing published here changes
// meaning.
class ClientSession {
public:
    enum class Phase {
        CONNECTING, // connecting, or answering the password challenge
        LOBBY,      // joined; waiting for a match (setReady)
        MATCH,      // a match runs: match(), steer()
        OVER,       // a match ended: lastResult(); the lobby goes on
        REFUSED,    // the server said no at join: reason()
        LOST,       // the server went away or closed: reason()
        LEFT,       // leave() was called
    };
    struct Member {
        std::string name;
        int pingMs = 0;
        bool ready = false;
        int seats = 0;
    };
    struct Counters {
        unsigned long authoritativeSteps = 0;
        unsigned long rollbacks = 0;
        // Most steps played again in one rollback.
        unsigned long deepestRollback = 0;
        unsigned long desyncs = 0;
        unsigned long fullStateRequests = 0;
        unsigned long fullStatesApplied = 0;
    };

    // On the real network (EnetTransport).
    explicit ClientSession(const ClientOptions& options);
    ClientSession(const ClientOptions& options, std::unique_ptr<I_Transport> transport);
    ~ClientSession();
    ClientSession(const ClientSession&) = delete;
    ClientSession& operator=(const ClientSession&) = delete;

    // Pumps the network, handles every message, and moves the local match
    // to where it should be at now. Never blocks.
    void service(double now);
    // Seconds on the transport's clock, a now for service().
    double clock() const { return transport->now(); }

    Phase phase() const { return currentPhase; }
    // Why the phase is REFUSED or LOST, in words for the screen.
    const std::string& reason() const { return why; }
    // For REFUSED: which refusal.
    RefusalCode refusal() const { return refusalCode; }

    // Every connected client, this one included, as the server last said.
    const std::vector<Member>& lobby() const { return members; }
    // A match is running on the server that this client has no seat in
    // (it joined or came back during it).
    bool matchRunningElsewhere() const { return runningElsewhere; }
    void setReady(bool ready);
    bool isReady() const { return ready; }

    // From the first START on: the local (predicted) match to draw.
    bool hasMatch() const { return predicted.started(); }
    const Tool::Match& match() const { return predicted.match(); }
    // This client's player numbers, in local-seat order.
    const std::vector<int>& myPlayers() const { return mine; }
    // Per player number: the person's name, or "" for a computer player;
    // and the matches won in this server's run.
    const std::vector<std::string>& names() const { return playerNames; }
    const std::vector<unsigned>& wins() const { return playerWins; }
    // Players a computer player steers since their person went away.
    bool handedOver(int player) const
    {
        return predicted.started() && predicted.match().isHandedOver(player);
    }
    // The server's step time in seconds.
    double moveTime() const { return stepSeconds; }
    // Turns local seat (0 to seats - 1) to heading (Tool::Heading) at the
    // local match's next step, and tells the server. A turn straight back,
    // or a seat this client does not hold, is ignored; a second turn before
    // the next step goes to the step after it.
    void steer(int localSeat, int heading);

    // "DRAW" or "WIN=n" of the last match, "" before the first ends.
    const std::string& lastResult() const { return result; }
    // Says goodbye to the server; the phase becomes LEFT.
    void leave();

    // The token to come back with after a lost connection.
    std::uint64_t token() const { return joinToken; }
    const Counters& counters() const { return stats; }
    // The last authoritative step and the local match's step.
    unsigned long confirmedStep() const { return predicted.confirmedStep(); }
    unsigned long predictedStep() const { return predicted.predictedStep(); }
    // The transport's own counters of bytes sent and received (its
    // overhead included) since construction.
    std::uint64_t bytesSent() const { return transport->bytesSent(); }
    std::uint64_t bytesReceived() const { return transport->bytesReceived(); }
    // The round trip the transport measures to the server, in milliseconds.
    int roundTripMs() const { return peer != 0 ? transport->roundTripMs(peer) : 0; }

    // For tests: changes the local copy at its last confirmed step so that
    // its checksum no longer matches the server's.
    void corruptForTest() { predicted.corrupt(); }

private:
    void send(const Message& message);
    void handle(const Message& message, double now);
    void handleStart(const Message& message, double now);
    void handleStep(const Message& message, double now);
    void handleFullState(const Message& message);
    void handleEnd(const Message& message);
    void lose(const std::string& reason);
    void advance(double now);
    void hello();
    void receive(const std::vector<std::uint8_t>& bytes, double now);
    void disconnected();

    ClientOptions options;
    std::unique_ptr<I_Transport> transport;
    PeerId peer = 0;
    Phase currentPhase = Phase::CONNECTING;
    std::string why;
    std::string closingReason;
    RefusalCode refusalCode = RefusalCode::BAD_REQUEST;
    std::vector<Member> members;
    bool runningElsewhere = false;
    bool ready = false;
    PredictedMatch predicted;
    std::vector<int> mine;
    std::vector<std::string> playerNames;
    std::vector<unsigned> playerWins;
    double stepSeconds = 0.06;
    std::string result;
    std::uint64_t joinToken = 0;
    Counters stats;
    double confirmedAt = 0;
    bool awaitingFullState = false;
    double requestedAt = 0;
};

} // namespace Online
