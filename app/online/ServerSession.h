#pragma once

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "ClientRoster.h"
#include "I_Transport.h"
#include "JoinDesk.h"
#include "Message.h"
#include "ServerMatch.h"

namespace Online {

// How a server runs, as plain values (vektra-server fills them from the
// settings; tests set them directly).
struct ServerOptions {
    // 0 takes any free port (port() tells which).
    std::uint16_t port = Protocol::DEFAULT_PORT;
    // Loopback only unless a host is named ("0.0.0.0": every interface);
    // vektra-server names 0.0.0.0 when "BIND_ADDRESS" is absent.
    std::string bindHost = "127.0.0.1";
    int maxClients = 16;
    // Empty: an open server.
    std::string password;
    // The match: grid, player count, turn chance, colours. levels gives
    // every seat's level; a seat a person holds plays it only once handed
    // over. humans and the random states are set at each match start.
    Tool::MatchSetup setup;
    double moveTime = 0.06;
    // Seconds after the first person is ready that a match starts even if
    // others are not ("START_WAIT"); 0 waits for everyone.
    double startWait = 10;
    // Seconds a vanished client's token stays good.
    double reconnectWindow = 30;
    // Messages per second a peer may send (burst twice that); more are
    // dropped and counted.
    int rateLimit = 100;
    // Malformed messages a peer may send before it is disconnected.
    int malformedLimit = 8;
    // Seconds without an answer before the transport gives a peer up as gone.
    double peerTimeout = 5;
    // Where statusLine() is written at every change of state or count
    // (replaced whole, through a temporary file); empty: nowhere.
    std::string statusFile;
    std::uint32_t seed = 1;
};

// The authoritative side of online play: accepts clients (version, setup,
// room, password challenge), keeps the lobby, starts a match when every
// connected person is ready (or startWait after the first is), plays it
// one step every moveTime from the inputs the clients send (under the
// steering rules of InputBook), and streams every step's inputs, seat
// events and checksum. Logs one line per join, leave, match start and
// result to log. Owns its transport, the clients' records and the match.
class ServerSession {
public:
    enum class State { LOBBY, RUNNING, DRAINING, CLOSED };
    struct Counters {
        unsigned long malformed = 0;
        unsigned long rateLimited = 0;
        unsigned long droppedInputs = 0;
        unsigned long disconnectedPeers = 0;
        unsigned long fullStatesSent = 0;
        unsigned long matchesPlayed = 0;
        unsigned long stepsPlayed = 0;
    };

    // On the real network (EnetTransport).
    ServerSession(const ServerOptions& options, std::ostream& log);
    ServerSession(const ServerOptions& options, std::ostream& log,
                  std::unique_ptr<I_Transport> transport);
    ~ServerSession();
    ServerSession(const ServerSession&) = delete;
    ServerSession& operator=(const ServerSession&) = delete;

    // Binds the port; false with a reason (port taken, no network).
    bool open(std::string& error);
    std::uint16_t port() const { return boundPort; }

    // Pumps the network and plays the steps due at now (seconds, the
    // caller's monotonic clock). Never blocks.
    void service(double now);
    // Seconds on the transport's clock, a now for service().
    double clock() const { return transport->now(); }
    // Sleeps until a packet arrives, the next step is due, or most
    // seconds pass, whichever comes first (a server's loop between two
    // service calls: no busy polling, no delay for a client's turn).
    void wait(double now, double most);
    // Tells every client why the server goes, and stops taking anyone;
    // isClosed() once they are told (or after a second).
    void drain(const std::string& reason, double now);
    bool isClosed() const { return currentState == State::CLOSED; }

    State state() const { return currentState; }
    static const char* stateName(State state);
    // Clients joined (past the password), and the seats they hold.
    int clientCount() const;
    int personSeats() const;
    // "STATE=lobby PLAYERS=n CLIENTS=c PORT=p": what an orchestrator reads.
    std::string statusLine() const;
    const Counters& counters() const { return stats; }
    // The match being played (or the last one), null before the first.
    const Tool::Match* match() const { return currentMatch ? &currentMatch->match() : nullptr; }

private:
    void onConnect(PeerId peer, double now);
    void onReceive(PeerId peer, const std::vector<std::uint8_t>& bytes, double now);
    // how: "lost" (vanished: its token stays good), "left" or "malformed".
    void dropClient(PeerId peer, double now, const char* how);
    void handle(ServerClient& client, const Message& message, double now);
    void handleHello(ServerClient& client, const Message& message, double now);
    void handleProof(ServerClient& client, const Message& message);
    void handleInput(ServerClient& client, const Message& message);
    void handleReady(ServerClient& client, const Message& message, double now);
    void malformed(ServerClient& client, double now);
    void admit(ServerClient& client);
    void refuse(ServerClient& client, RefusalCode code, const std::string& text);
    void send(ServerClient& client, const Message& message);
    void broadcastLobby();
    void maybeStart(double now);
    void startMatch(double now);
    void playSteps(double now);
    void endMatch();
    void noteStatus();
    void dropSlowJoins(double now);
    std::uint32_t nextRandom();

    ServerOptions options;
    std::ostream& log;
    std::unique_ptr<I_Transport> transport;
    bool listening = false;
    std::uint16_t boundPort = 0;
    State currentState = State::LOBBY;
    ClientRoster roster;
    JoinDesk desk;
    std::unique_ptr<ServerMatch> currentMatch;
    std::vector<unsigned> wins;
    std::uint32_t randomState;
    unsigned long matchesStarted = 0;
    double firstReadyAt = -1;
    double nextStepAt = 0;
    double nextLobbyAt = 0;
    double closeBy = 0;
    std::string lastStatus;
    Counters stats;
};

} // namespace Online
