#include "ServerSession.h"

#include <algorithm>

#include "EnetTransport.h"
#include "MessageCodec.h"
#include "StatusFile.h"

namespace Online {

namespace {

// Events handled per service call: a flood cannot hold the step back.
constexpr int MAX_EVENTS_PER_SERVICE = 4096;
// Steps played in one service call when the caller fell behind.
constexpr int MAX_CATCH_UP_STEPS = 4;
// How often the lobby (with its pings) goes out while nothing changes.
constexpr double LOBBY_EVERY = 1.0;
// How long draining waits for the clients to take the goodbye.
constexpr double DRAIN_SECONDS = 1.0;
// Bytes of received messages the transport may hold for one peer.
constexpr std::size_t MAX_WAITING_BYTES = 64 * 1024;
// Seconds between two full states for one peer.
constexpr double FULL_STATE_GAP = 0.5;
// Seconds a peer may take from connecting to having joined.
constexpr double JOIN_SECONDS = 10;
// Peers beyond maxClients that may connect only to be told "full".
constexpr std::size_t SPARE_PEERS = 8;

} // namespace

ServerSession::ServerSession(const ServerOptions& options, std::ostream& log)
    : ServerSession(options, log, std::unique_ptr<I_Transport>(new EnetTransport()))
{
}

ServerSession::ServerSession(const ServerOptions& options, std::ostream& log,
                             std::unique_ptr<I_Transport> transport)
    : options(options), log(log), transport(std::move(transport)),
      desk(options.password, options.maxClients,
           std::min(options.setup.playerCount, Tool::MatchSetup::MAX_HUMANS),
           options.reconnectWindow),
      randomState(options.seed == 0 ? 1 : options.seed)
{
}

ServerSession::~ServerSession()
{
    for (ServerClient* client : roster.all()) {
        transport->disconnect(client->peer, Farewell::NOW);
    }
    transport->flush();
}

bool ServerSession::open(std::string& error)
{
    if (!PasswordProof::ready()) {
        error = "the crypto library (libsodium) could not start";
        return false;
    }
    const std::string problem = options.setup.problem();
    if (!problem.empty()) {
        error = "the match cannot be played: " + problem;
        return false;
    }
    const int maxClients = std::max(1, options.maxClients);
    if (!transport->listen(options.bindHost, options.port,
                           static_cast<std::size_t>(maxClients) + SPARE_PEERS, error)) {
        return false;
    }
    listening = true;
    boundPort = transport->port();
    // Nothing a client sends is longer than this: the transport would
    // otherwise put together messages of many megabytes for a peer.
    transport->setReceiveLimits(Protocol::MAX_CLIENT_MESSAGE, MAX_WAITING_BYTES);
    currentMatch.reset(new ServerMatch(options.setup));
    wins.assign(static_cast<std::size_t>(options.setup.playerCount), 0);
    return true;
}

const char* ServerSession::stateName(State state)
{
    switch (state) {
    case State::LOBBY:
        return "lobby";
    case State::RUNNING:
        return "running";
    case State::DRAINING:
        return "draining";
    case State::CLOSED:
        break;
    }
    return "closed";
}

int ServerSession::clientCount() const
{
    return roster.joinedCount();
}

int ServerSession::personSeats() const
{
    return roster.seatCount();
}

std::string ServerSession::statusLine() const
{
    return std::string("STATE=") + stateName(currentState) +
           " PLAYERS=" + std::to_string(personSeats()) +
           " CLIENTS=" + std::to_string(clientCount()) + " PORT=" + std::to_string(boundPort);
}

void ServerSession::noteStatus()
{
    const std::string line = statusLine();
    if (line == lastStatus) {
        return;
    }
    lastStatus = line;
    log << "status " << line << std::endl;
    if (!options.statusFile.empty()) {
        writeStatusFile(options.statusFile, line);
    }
}

std::uint32_t ServerSession::nextRandom()
{
    // xorshift32: the match seeds only need to differ from match to match.
    randomState ^= randomState << 13;
    randomState ^= randomState >> 17;
    randomState ^= randomState << 5;
    return randomState;
}

void ServerSession::service(double now)
{
    if (!listening || currentState == State::CLOSED) {
        return;
    }
    TransportEvent event;
    for (int n = 0; n < MAX_EVENTS_PER_SERVICE && transport->poll(event); ++n) {
        switch (event.type) {
        case TransportEvent::Type::CONNECTED:
            onConnect(event.peer, now);
            break;
        case TransportEvent::Type::RECEIVED:
            onReceive(event.peer, event.bytes, now);
            break;
        case TransportEvent::Type::DISCONNECTED:
            dropClient(event.peer, now, "lost");
            break;
        }
    }
    desk.forgetExpired(now);
    dropSlowJoins(now);
    if (currentState == State::LOBBY) {
        maybeStart(now);
    } else if (currentState == State::RUNNING) {
        playSteps(now);
    } else if (currentState == State::DRAINING && (roster.empty() || now >= closeBy)) {
        currentState = State::CLOSED;
    }
    if (now >= nextLobbyAt && currentState != State::DRAINING) {
        nextLobbyAt = now + LOBBY_EVERY;
        broadcastLobby();
    }
    transport->flush();
    noteStatus();
}

void ServerSession::wait(double now, double most)
{
    if (!listening) {
        return;
    }
    double seconds = most;
    if (currentState == State::RUNNING) {
        seconds = std::min(seconds, nextStepAt - now);
    }
    transport->wait(seconds);
}

void ServerSession::onConnect(PeerId peer, double now)
{
    transport->setTimeout(peer, options.peerTimeout);
    if (currentState == State::DRAINING) {
        transport->disconnect(peer, Farewell::DROP_QUEUED);
        return;
    }
    roster.add(peer, now, options.rateLimit);
}

void ServerSession::onReceive(PeerId peer, const std::vector<std::uint8_t>& bytes, double now)
{
    ServerClient* found = roster.find(peer);
    if (found == nullptr || found->stage == ServerClient::Stage::GONE) {
        return;
    }
    ServerClient& client = *found;
    if (!client.rate.allow(now)) {
        ++stats.rateLimited;
        return;
    }
    Message message;
    std::string error;
    if (!MessageCodec::decode(bytes.data(), bytes.size(), Protocol::MAX_CLIENT_MESSAGE, message,
                              error)) {
        malformed(client, now);
        return;
    }
    handle(client, message, now);
}

void ServerSession::malformed(ServerClient& client, double now)
{
    ++stats.malformed;
    if (++client.malformed >= options.malformedLimit) {
        ++stats.disconnectedPeers;
        log << "drop " << (client.who.name.empty() ? "(not joined)" : client.who.name)
            << ": too many malformed messages" << std::endl;
        const PeerId peer = client.peer;
        transport->disconnect(peer, Farewell::NOW);
        dropClient(peer, now, "malformed");
    }
}

void ServerSession::handle(ServerClient& client, const Message& message, double now)
{
    using Stage = ServerClient::Stage;
    const MessageType type = message.type;
    if (client.stage == Stage::HELLO && type == MessageType::HELLO) {
        handleHello(client, message, now);
    } else if (client.stage == Stage::PROOF && type == MessageType::PROOF) {
        handleProof(client, message);
    } else if (client.stage == Stage::JOINED && type == MessageType::READY) {
        handleReady(client, message, now);
    } else if (client.stage == Stage::JOINED && type == MessageType::INPUT) {
        handleInput(client, message);
    } else if (client.stage == Stage::JOINED && type == MessageType::STATE_REQUEST) {
        // A full state can be large: a peer asking again and again gets one
        // per FULL_STATE_GAP (an honest client asks once per desync).
        if (currentState == State::RUNNING && !client.players.empty() &&
            now - client.fullStateAt >= FULL_STATE_GAP) {
            client.fullStateAt = now;
            Message full;
            full.type = MessageType::FULL_STATE;
            full.step = static_cast<std::uint32_t>(currentMatch->match().getStepCount());
            currentMatch->match().save(full.state);
            send(client, full);
            ++stats.fullStatesSent;
        }
    } else if (type == MessageType::LEAVE) {
        const PeerId peer = client.peer;
        transport->disconnect(peer, Farewell::AFTER_SENT);
        dropClient(peer, now, "left");
    } else {
        malformed(client, now);
    }
}

void ServerSession::handleHello(ServerClient& client, const Message& hello, double now)
{
    RefusalCode code = RefusalCode::BAD_REQUEST;
    const std::string problem =
        desk.admit(hello, clientCount(), personSeats(), now, client.who, code);
    if (!problem.empty()) {
        client.who.name = hello.text;
        refuse(client, code, problem);
        return;
    }
    if (!desk.needsProof()) {
        admit(client);
        return;
    }
    client.stage = ServerClient::Stage::PROOF;
    client.nonce = PasswordProof::freshNonce();
    Message challenge;
    challenge.type = MessageType::CHALLENGE;
    challenge.bytes = client.nonce;
    send(client, challenge);
}

void ServerSession::handleProof(ServerClient& client, const Message& proof)
{
    if (!desk.proofHolds(client.nonce, proof.bytes)) {
        refuse(client, RefusalCode::WRONG_PASSWORD, "Wrong password");
        return;
    }
    admit(client);
}

void ServerSession::admit(ServerClient& client)
{
    if (!desk.roomFor(clientCount(), personSeats(), client.who.seats)) {
        refuse(client, RefusalCode::FULL,
               "Full: the last seats went while the password was checked");
        return;
    }
    desk.settle(client.who);
    client.stage = ServerClient::Stage::JOINED;
    Message welcome;
    welcome.type = MessageType::WELCOME;
    welcome.token = client.who.token;
    send(client, welcome);
    log << "join " << client.who.name << " seats=" << client.who.seats
        << " clients=" << clientCount() << (client.who.back ? " (back)" : "") << std::endl;
    broadcastLobby();
}

void ServerSession::refuse(ServerClient& client, RefusalCode code, const std::string& text)
{
    Message refusal;
    refusal.type = MessageType::REFUSED;
    refusal.code = code;
    refusal.text = text.substr(0, Protocol::MAX_REASON);
    send(client, refusal);
    log << "refuse " << client.who.name << ": " << refusal.text << std::endl;
    client.stage = ServerClient::Stage::GONE;
    // After the refusal itself has gone out.
    transport->disconnect(client.peer, Farewell::AFTER_SENT);
}

void ServerSession::handleReady(ServerClient& client, const Message& message, double now)
{
    client.ready = message.flag;
    if (client.ready && firstReadyAt < 0 && currentState == State::LOBBY) {
        firstReadyAt = now;
    }
    broadcastLobby();
}

void ServerSession::handleInput(ServerClient& client, const Message& message)
{
    for (const SeatInput& input : message.inputs) {
        const bool mine = std::find(client.players.begin(), client.players.end(),
                                    static_cast<int>(input.player)) != client.players.end();
        if (currentState != State::RUNNING || !mine ||
            !InputBook::accepted(currentMatch->submit(input.player, input.step, input.heading))) {
            ++stats.droppedInputs;
        }
    }
}

void ServerSession::send(ServerClient& client, const Message& message)
{
    transport->send(client.peer, MessageCodec::encode(message), Delivery::RELIABLE);
}

void ServerSession::broadcastLobby()
{
    const bool running = currentState == State::RUNNING;
    const Message lobby = roster.lobby(running, *transport);
    // Seated people see names and wins from the match start; the lobby
    // (with its pings) is for those waiting.
    for (ServerClient* client : roster.inOrder(false)) {
        if (!running || client->players.empty()) {
            send(*client, lobby);
        }
    }
}

void ServerSession::maybeStart(double now)
{
    const int joined = roster.joinedCount();
    const int readyCount = roster.readyCount();
    if (readyCount == 0) {
        firstReadyAt = -1;
        return;
    }
    // Ready during the last match: the wait starts when the lobby does.
    if (firstReadyAt < 0) {
        firstReadyAt = now;
    }
    const bool everyone = readyCount == joined;
    const bool waitedEnough =
        options.startWait > 0 && firstReadyAt >= 0 && now - firstReadyAt >= options.startWait;
    if (everyone || waitedEnough) {
        startMatch(now);
    }
}

void ServerSession::startMatch(double now)
{
    const std::vector<ServerClient*> seated = roster.inOrder(true);
    const int playerCount = options.setup.playerCount;
    std::vector<std::string> names;
    const int people = roster.seatReady(playerCount, names);
    const std::uint32_t startRandom = nextRandom();
    currentMatch->start(people, startRandom, nextRandom(), ++matchesStarted);
    Message start;
    start.type = MessageType::START;
    start.text = currentMatch->header();
    start.moveTimeMs = static_cast<std::uint32_t>(options.moveTime * 1000 + 0.5);
    start.names = names;
    start.wins.assign(wins.begin(), wins.end());
    for (ServerClient* client : seated) {
        start.players.assign(client->players.begin(), client->players.end());
        send(*client, start);
    }
    log << "start match=" << matchesStarted << " people=" << people << " players=" << playerCount
        << std::endl;
    currentState = State::RUNNING;
    firstReadyAt = -1;
    nextStepAt = now + options.moveTime;
    broadcastLobby();
}

void ServerSession::playSteps(double now)
{
    for (int n = 0; n < MAX_CATCH_UP_STEPS && now >= nextStepAt && currentState == State::RUNNING;
         ++n) {
        nextStepAt += options.moveTime;
        const Message step = currentMatch->step(stats.droppedInputs);
        ++stats.stepsPlayed;
        for (ServerClient* client : roster.inOrder(false)) {
            if (!client->players.empty()) {
                send(*client, step);
            }
        }
        if (currentMatch->isOver()) {
            endMatch();
        }
    }
    // Far behind (a stalled machine): go on from now rather than race.
    if (now >= nextStepAt + options.moveTime * MAX_CATCH_UP_STEPS) {
        nextStepAt = now + options.moveTime;
    }
}

void ServerSession::endMatch()
{
    const Tool::Match& match = currentMatch->match();
    if (match.getOutcome() >= 0 && static_cast<std::size_t>(match.getOutcome()) < wins.size()) {
        ++wins[static_cast<std::size_t>(match.getOutcome())];
    }
    Message end;
    end.type = MessageType::END;
    end.text = match.result();
    end.wins.assign(wins.begin(), wins.end());
    for (ServerClient* client : roster.inOrder(false)) {
        if (!client->players.empty()) {
            send(*client, end);
            client->players.clear();
        }
    }
    ++stats.matchesPlayed;
    firstReadyAt = -1;
    log << "result match=" << currentMatch->number() << ' ' << end.text
        << " steps=" << match.getStepCount() << std::endl;
    currentState = State::LOBBY;
    broadcastLobby();
}

void ServerSession::dropClient(PeerId peer, double now, const char* how)
{
    ServerClient* found = roster.find(peer);
    if (found == nullptr) {
        return;
    }
    ServerClient& client = *found;
    if (client.joined()) {
        const bool lost = std::string(how) == "lost";
        if (currentState == State::RUNNING) {
            for (int player : client.players) {
                currentMatch->handOver(player);
            }
        }
        if (lost && currentState != State::DRAINING) {
            desk.remember(client.who, now);
        }
        log << "leave " << client.who.name << " clients=" << clientCount() - 1 << " (" << how << ")"
            << std::endl;
    }
    roster.remove(peer);
    if (currentState != State::DRAINING) {
        broadcastLobby();
    }
}

void ServerSession::dropSlowJoins(double now)
{
    for (ServerClient* client : roster.all()) {
        if ((client->stage == ServerClient::Stage::HELLO ||
             client->stage == ServerClient::Stage::PROOF) &&
            now - client->connectedAt > JOIN_SECONDS) {
            client->stage = ServerClient::Stage::GONE;
            transport->disconnect(client->peer, Farewell::DROP_QUEUED);
        }
    }
}

void ServerSession::drain(const std::string& reason, double now)
{
    if (!listening) {
        currentState = State::CLOSED;
        return;
    }
    if (currentState == State::DRAINING || currentState == State::CLOSED) {
        return;
    }
    Message closing;
    closing.type = MessageType::CLOSING;
    closing.text = reason.substr(0, Protocol::MAX_REASON);
    for (ServerClient* client : roster.all()) {
        send(*client, closing);
        transport->disconnect(client->peer, Farewell::AFTER_SENT);
    }
    log << "closing: " << closing.text << std::endl;
    currentState = State::DRAINING;
    closeBy = now + DRAIN_SECONDS;
    transport->flush();
    noteStatus();
}

} // namespace Online
