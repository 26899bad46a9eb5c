#include "ClientSession.h"

#include <algorithm>
#include <cmath>

#include "EnetTransport.h"
#include "InputBook.h"
#include "MessageCodec.h"
#include "PasswordProof.h"
#include "app/match/Headings.h"
#include "app/replay/MatchHeader.h"

namespace Online {

namespace {

constexpr int MAX_EVENTS_PER_SERVICE = 4096;
// Steps predicted in one service call, and at most beyond the last
// confirmed one (well inside what the server books).
constexpr unsigned long MAX_PREDICT_PER_SERVICE = 8;
constexpr unsigned long MAX_AHEAD = InputBook::MAX_AHEAD / 2;
// Seconds after which a full state asked for is asked for again.
constexpr double REQUEST_AGAIN = 2;

std::string printable(const std::string& text, std::size_t most)
{
    std::string out;
    for (char c : text) {
        if (out.size() < most && c >= 32 && c <= 126) {
            out += c;
        }
    }
    return out;
}

} // namespace

ClientSession::ClientSession(const ClientOptions& given)
    : ClientSession(given, std::unique_ptr<I_Transport>(new EnetTransport()))
{
}

ClientSession::ClientSession(const ClientOptions& given, std::unique_ptr<I_Transport> link)
    : options(given), transport(std::move(link))
{
    if (!PasswordProof::ready()) {
        lose("the crypto library (libsodium) could not start");
        return;
    }
    transport->setReceiveLimits(Protocol::MAX_SERVER_MESSAGE, 0);
    std::string error;
    peer = transport->connect(options.host, options.port, error);
    if (peer == 0) {
        lose(error);
        return;
    }
    transport->setTimeout(peer, options.timeout);
}

ClientSession::~ClientSession()
{
    if (peer != 0) {
        transport->disconnect(peer, Farewell::NOW);
    }
}

void ClientSession::send(const Message& message)
{
    if (peer == 0) {
        return;
    }
    transport->send(peer, MessageCodec::encode(message), Delivery::RELIABLE);
    // Out at once: a turn should not wait for the next service call.
    transport->flush();
}

void ClientSession::lose(const std::string& reason)
{
    currentPhase = Phase::LOST;
    why = reason;
    if (peer != 0) {
        transport->disconnect(peer, Farewell::NOW);
        peer = 0;
    }
}

void ClientSession::service(double now)
{
    TransportEvent event;
    for (int n = 0; n < MAX_EVENTS_PER_SERVICE && transport->poll(event); ++n) {
        if (event.peer != peer || peer == 0) {
            continue;
        }
        switch (event.type) {
        case TransportEvent::Type::CONNECTED:
            hello();
            break;
        case TransportEvent::Type::RECEIVED:
            receive(event.bytes, now);
            break;
        case TransportEvent::Type::DISCONNECTED:
            disconnected();
            break;
        }
    }
    advance(now);
}

void ClientSession::hello()
{
    Message hello;
    hello.type = MessageType::HELLO;
    hello.version = Protocol::VERSION;
    hello.text = printable(options.name, Protocol::MAX_NAME);
    hello.seats =
        static_cast<std::uint8_t>(std::max(1, std::min(options.seats, Protocol::MAX_LOCAL_SEATS)));
    hello.token = options.token;
    send(hello);
}

void ClientSession::receive(const std::vector<std::uint8_t>& bytes, double now)
{
    Message message;
    std::string error;
    if (!MessageCodec::decode(bytes.data(), bytes.size(), Protocol::MAX_SERVER_MESSAGE, message,
                              error)) {
        lose("Mismatch: the server sent what this client cannot read (" + error + ")");
    } else if (currentPhase != Phase::LOST && currentPhase != Phase::LEFT) {
        handle(message, now);
    }
}

void ClientSession::disconnected()
{
    peer = 0;
    if (currentPhase == Phase::CONNECTING && closingReason.empty()) {
        lose("cannot reach a server at " + options.host + ":" + std::to_string(options.port));
    } else if (currentPhase != Phase::REFUSED && currentPhase != Phase::LEFT &&
               currentPhase != Phase::LOST) {
        lose(closingReason.empty() ? "the server went away"
                                   : "the server closed: " + closingReason);
    }
}

void ClientSession::handle(const Message& message, double now)
{
    switch (message.type) {
    case MessageType::CHALLENGE: {
        Message proof;
        proof.type = MessageType::PROOF;
        proof.bytes = PasswordProof::answer(options.password, message.bytes);
        send(proof);
        break;
    }
    case MessageType::WELCOME:
        joinToken = message.token;
        currentPhase = Phase::LOBBY;
        break;
    case MessageType::REFUSED:
        refusalCode = message.code;
        why = message.text;
        currentPhase = Phase::REFUSED;
        break;
    case MessageType::LOBBY:
        members.clear();
        for (const LobbyEntry& entry : message.lobby) {
            members.push_back(Member{entry.name, entry.pingMs, entry.ready, entry.seats});
        }
        runningElsewhere = message.flag && currentPhase != Phase::MATCH;
        break;
    case MessageType::START:
        handleStart(message, now);
        break;
    case MessageType::STEP:
        handleStep(message, now);
        break;
    case MessageType::FULL_STATE:
        handleFullState(message);
        break;
    case MessageType::END:
        handleEnd(message);
        break;
    case MessageType::CLOSING:
        closingReason = message.text;
        break;
    default:
        break; // a client's own messages mean nothing coming back
    }
}

void ClientSession::setReady(bool value)
{
    ready = value;
    if (currentPhase == Phase::LOBBY || currentPhase == Phase::OVER) {
        Message message;
        message.type = MessageType::READY;
        message.flag = value;
        send(message);
    }
}

void ClientSession::leave()
{
    if (peer != 0) {
        Message bye;
        bye.type = MessageType::LEAVE;
        send(bye);
        transport->disconnect(peer, Farewell::AFTER_SENT);
        transport->flush();
    }
    if (currentPhase != Phase::LOST && currentPhase != Phase::REFUSED) {
        currentPhase = Phase::LEFT;
    }
}

void ClientSession::handleStart(const Message& message, double now)
{
    Tool::MatchHeader header;
    std::size_t used = 0;
    std::string error;
    if (!Tool::MatchHeader::decode(message.text, header, used, error)) {
        lose("Mismatch: the server's match cannot be played here (" + error + ")");
        return;
    }
    const Tool::MatchSetup& setup = header.setup;
    for (std::uint16_t player : message.players) {
        if (player >= setup.humans) {
            lose("Mismatch: the server gave this client a seat no person holds");
            return;
        }
    }
    mine.assign(message.players.begin(), message.players.end());
    predicted.start(setup, mine);
    playerNames.assign(message.names.begin(), message.names.end());
    playerNames.resize(static_cast<std::size_t>(setup.playerCount));
    playerWins.assign(message.wins.begin(), message.wins.end());
    playerWins.resize(static_cast<std::size_t>(setup.playerCount), 0);
    stepSeconds = std::max(1u, message.moveTimeMs) / 1000.0;
    confirmedAt = now;
    awaitingFullState = false;
    ready = false;
    runningElsewhere = false;
    currentPhase = Phase::MATCH;
}

void ClientSession::handleStep(const Message& message, double now)
{
    if (currentPhase != Phase::MATCH) {
        return;
    }
    confirmedAt = now;
    ++stats.authoritativeSteps;
    const PredictedMatch::Confirmation outcome = predicted.confirm(message);
    if (outcome == PredictedMatch::Confirmation::BROKEN) {
        lose("Mismatch: the server's steps do not follow each other");
        return;
    }
    if (outcome == PredictedMatch::Confirmation::ROLLED_BACK) {
        ++stats.rollbacks;
        stats.deepestRollback = std::max(stats.deepestRollback, predicted.lastDepth());
    }
    // While a full state is on its way the steps before it differ too; a
    // request unanswered for a while (the server spaces them) goes again.
    if (outcome == PredictedMatch::Confirmation::DESYNC &&
        (!awaitingFullState || now - requestedAt > REQUEST_AGAIN)) {
        if (!awaitingFullState) {
            ++stats.desyncs;
        }
        ++stats.fullStateRequests;
        awaitingFullState = true;
        requestedAt = now;
        Message request;
        request.type = MessageType::STATE_REQUEST;
        request.step = message.step;
        send(request);
    }
}

void ClientSession::handleFullState(const Message& message)
{
    if (currentPhase != Phase::MATCH || !awaitingFullState) {
        return;
    }
    if (!predicted.restoreFull(message.state)) {
        lose("Mismatch: the server sent a state that does not fit its match");
        return;
    }
    awaitingFullState = false;
    ++stats.fullStatesApplied;
}

void ClientSession::handleEnd(const Message& message)
{
    if (currentPhase != Phase::MATCH) {
        return;
    }
    predicted.finish();
    result = message.text;
    playerWins.assign(message.wins.begin(), message.wins.end());
    playerWins.resize(playerNames.size(), 0);
    currentPhase = Phase::OVER;
}

void ClientSession::advance(double now)
{
    if (currentPhase != Phase::MATCH || peer == 0) {
        return;
    }
    // Ahead of the last confirmed step by the time since it came and the
    // round trip (plus one step), so an own turn reaches the server before
    // it plays the step the turn is for.
    const double roundTrip = transport->roundTripMs(peer) / 1000.0;
    const double since = std::max(0.0, now - confirmedAt);
    const unsigned long lead = static_cast<unsigned long>(std::ceil(roundTrip / stepSeconds)) + 1;
    const unsigned long elapsed = static_cast<unsigned long>(since / stepSeconds);
    const unsigned long target = predicted.confirmedStep() + std::min(elapsed + lead, MAX_AHEAD);
    predicted.predictTo(target, MAX_PREDICT_PER_SERVICE);
}

void ClientSession::steer(int localSeat, int heading)
{
    if (currentPhase != Phase::MATCH) {
        return;
    }
    const unsigned long step = predicted.steer(localSeat, heading);
    if (step == 0) {
        return;
    }
    Message input;
    input.type = MessageType::INPUT;
    input.inputs.push_back(
        SeatInput{static_cast<std::uint32_t>(step),
                  static_cast<std::uint16_t>(mine[static_cast<std::size_t>(localSeat)]),
                  static_cast<std::uint8_t>(heading)});
    send(input);
}

} // namespace Online
