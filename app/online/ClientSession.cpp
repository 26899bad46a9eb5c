#include "ClientSession.h"

#include <enet/enet.h>

#include <algorithm>
#include <cmath>

#include "InputBook.h"
#include "MessageCodec.h"
#include "NetStart.h"
#include "PasswordProof.h"
#include "ResendCap.h"
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

ClientSession::ClientSession(const ClientOptions& given) : options(given)
{
    std::string error;
    if (!NetStart::ready(error)) {
        lose(error);
        return;
    }
    host = enet_host_create(nullptr, 1, Protocol::CHANNELS, 0, 0);
    ENetAddress address{};
    address.port = options.port;
    if (host == nullptr || enet_address_set_host(&address, options.host.c_str()) != 0) {
        lose("cannot reach " + options.host + ": unknown host");
        return;
    }
    host->maximumPacketSize = Protocol::MAX_SERVER_MESSAGE;
    peer = enet_host_connect(host, &address, Protocol::CHANNELS, 0);
    if (peer == nullptr) {
        lose("cannot connect to " + options.host);
        return;
    }
    const auto limitMs = static_cast<enet_uint32>(options.timeout * 1000);
    enet_peer_timeout(peer, 0, limitMs, limitMs);
}

ClientSession::~ClientSession()
{
    if (host != nullptr) {
        if (peer != nullptr) {
            enet_peer_disconnect_now(peer, 0);
        }
        enet_host_destroy(host);
    }
}

void ClientSession::send(const Message& message)
{
    if (peer == nullptr) {
        return;
    }
    const std::vector<std::uint8_t> bytes = MessageCodec::encode(message);
    ENetPacket* packet = enet_packet_create(bytes.data(), bytes.size(), ENET_PACKET_FLAG_RELIABLE);
    if (packet != nullptr && enet_peer_send(peer, Protocol::CHANNEL_MAIN, packet) != 0) {
        enet_packet_destroy(packet);
    }
    // Out at once: a turn should not wait for the next service call.
    enet_host_flush(host);
}

void ClientSession::lose(const std::string& reason)
{
    currentPhase = Phase::LOST;
    why = reason;
    if (peer != nullptr) {
        enet_peer_disconnect_now(peer, 0);
        peer = nullptr;
    }
}

void ClientSession::service(double now)
{
    if (host == nullptr) {
        return;
    }
    ResendCap::apply(host);
    ENetEvent event;
    for (int n = 0;
         n < MAX_EVENTS_PER_SERVICE && host != nullptr && enet_host_service(host, &event, 0) > 0;
         ++n) {
        if (event.type == ENET_EVENT_TYPE_CONNECT) {
            Message hello;
            hello.type = MessageType::HELLO;
            hello.version = Protocol::VERSION;
            hello.text = printable(options.name, Protocol::MAX_NAME);
            hello.seats = static_cast<std::uint8_t>(
                std::max(1, std::min(options.seats, Protocol::MAX_LOCAL_SEATS)));
            hello.token = options.token;
            send(hello);
        } else if (event.type == ENET_EVENT_TYPE_RECEIVE) {
            Message message;
            std::string error;
            const bool read = MessageCodec::decode(event.packet->data, event.packet->dataLength,
                                                   Protocol::MAX_SERVER_MESSAGE, message, error);
            enet_packet_destroy(event.packet);
            if (!read) {
                lose("Mismatch: the server sent what this client cannot read (" + error + ")");
            } else if (currentPhase != Phase::LOST && currentPhase != Phase::LEFT) {
                handle(message, now);
            }
        } else if (event.type == ENET_EVENT_TYPE_DISCONNECT) {
            peer = nullptr;
            if (currentPhase == Phase::CONNECTING && closingReason.empty()) {
                lose("cannot reach a server at " + options.host + ":" +
                     std::to_string(options.port));
            } else if (currentPhase != Phase::REFUSED && currentPhase != Phase::LEFT &&
                       currentPhase != Phase::LOST) {
                lose(closingReason.empty() ? "the server went away"
                                           : "the server closed: " + closingReason);
            }
        }
    }
    advance(now);
    countBytes();
}

void ClientSession::countBytes()
{
    // ENet's counters are 32 bits; take them over before they wrap.
    sentTotal += host->totalSentData;
    receivedTotal += host->totalReceivedData;
    host->totalSentData = 0;
    host->totalReceivedData = 0;
}

std::uint64_t ClientSession::bytesSent() const
{
    return sentTotal + (host != nullptr ? host->totalSentData : 0);
}

std::uint64_t ClientSession::bytesReceived() const
{
    return receivedTotal + (host != nullptr ? host->totalReceivedData : 0);
}

int ClientSession::roundTripMs() const
{
    return peer != nullptr ? static_cast<int>(peer->roundTripTime) : 0;
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
    if (peer != nullptr) {
        Message bye;
        bye.type = MessageType::LEAVE;
        send(bye);
        enet_peer_disconnect_later(peer, 0);
        enet_host_flush(host);
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
    if (currentPhase != Phase::MATCH || peer == nullptr) {
        return;
    }
    // Ahead of the last confirmed step by the time since it came and the
    // round trip (plus one step), so an own turn reaches the server before
    // it plays the step the turn is for.
    const double roundTrip = peer->roundTripTime / 1000.0;
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
