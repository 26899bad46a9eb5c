#include "EnetTransport.h"

#include <arpa/inet.h>
#include <enet/enet.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <mutex>

#include "Protocol.h"

namespace Online {

namespace {

// Starts ENet once per process; false when it could not.
bool enetStarted()
{
    static std::once_flag once;
    static bool started = false;
    std::call_once(once, [] {
        started = enet_initialize() == 0;
        if (started) {
            std::atexit(enet_deinitialize);
        }
    });
    return started;
}

const char* const NOT_STARTED = "the network library (ENet) could not start";

PeerId idOf(const ENetPeer* peer)
{
    return static_cast<PeerId>(reinterpret_cast<std::uintptr_t>(peer->data));
}

} // namespace

EnetTransport::EnetTransport(Resolver resolver) : resolver(std::move(resolver)) {}

EnetTransport::~EnetTransport()
{
    if (host != nullptr) {
        enet_host_flush(host);
        enet_host_destroy(host);
    }
}

Resolver EnetTransport::systemResolver()
{
    return [](const std::string& name, std::uint32_t& address) {
        ENetAddress found{};
        if (!enetStarted() || enet_address_set_host(&found, name.c_str()) != 0) {
            return false;
        }
        address = ntohl(found.host);
        return true;
    };
}

bool EnetTransport::makeHost(const void* address, std::size_t count, std::string& error)
{
    if (!enetStarted()) {
        error = NOT_STARTED;
        return false;
    }
    host =
        enet_host_create(static_cast<const ENetAddress*>(address), count, Protocol::CHANNELS, 0, 0);
    if (host == nullptr) {
        return false;
    }
    setReceiveLimits(longest, waiting);
    return true;
}

bool EnetTransport::listen(const std::string& bindHost, std::uint16_t port, std::size_t count,
                           std::string& error)
{
    ENetAddress address{};
    address.port = port;
    if (bindHost.empty() || bindHost == "0.0.0.0") {
        address.host = ENET_HOST_ANY;
    } else if (enet_address_set_host_ip(&address, bindHost.c_str()) != 0) {
        error = "cannot listen on " + bindHost + ": not an IPv4 address";
        return false;
    }
    if (host != nullptr || !makeHost(&address, std::max<std::size_t>(1, count), error)) {
        if (error.empty()) {
            error = "cannot listen on port " + std::to_string(port) + " (taken?)";
        }
        return false;
    }
    return true;
}

std::uint16_t EnetTransport::port() const
{
    return host != nullptr ? host->address.port : 0;
}

PeerId EnetTransport::connect(const std::string& name, std::uint16_t port, std::string& error)
{
    in_addr dotted{};
    std::uint32_t address = 0;
    if (inet_pton(AF_INET, name.c_str(), &dotted) == 1) {
        address = ntohl(dotted.s_addr);
    } else if (!resolver || !resolver(name, address)) {
        error = "cannot reach " + name + ": unknown host";
        return 0;
    }
    if (host == nullptr && !makeHost(nullptr, 1, error)) {
        error = error.empty() ? "cannot connect to " + name : error;
        return 0;
    }
    ENetAddress to{};
    to.host = htonl(address);
    to.port = port;
    ENetPeer* peer = enet_host_connect(host, &to, Protocol::CHANNELS, 0);
    if (peer == nullptr) {
        error = "cannot connect to " + name;
        return 0;
    }
    return number(peer);
}

PeerId EnetTransport::number(ENetPeer* peer)
{
    if (idOf(peer) == 0) {
        peers[++lastPeer] = peer;
        peer->data = reinterpret_cast<void*>(static_cast<std::uintptr_t>(lastPeer));
    }
    return idOf(peer);
}

void EnetTransport::forget(ENetPeer* peer)
{
    peers.erase(idOf(peer));
    peer->data = nullptr;
}

ENetPeer* EnetTransport::find(PeerId peer) const
{
    const auto found = peers.find(peer);
    return found == peers.end() ? nullptr : found->second;
}

bool EnetTransport::poll(TransportEvent& event)
{
    if (host == nullptr) {
        return false;
    }
    if (roundDone) {
        capResends();
        roundDone = false;
    }
    ENetEvent got;
    while (enet_host_service(host, &got, 0) > 0) {
        if (got.type == ENET_EVENT_TYPE_CONNECT) {
            event.type = TransportEvent::Type::CONNECTED;
            event.peer = number(got.peer);
            event.bytes.clear();
            return true;
        }
        if (got.type == ENET_EVENT_TYPE_RECEIVE) {
            event.type = TransportEvent::Type::RECEIVED;
            event.peer = idOf(got.peer);
            event.bytes.assign(got.packet->data, got.packet->data + got.packet->dataLength);
            enet_packet_destroy(got.packet);
            if (event.peer != 0) {
                return true;
            }
        } else if (got.type == ENET_EVENT_TYPE_DISCONNECT && idOf(got.peer) != 0) {
            event.type = TransportEvent::Type::DISCONNECTED;
            event.peer = idOf(got.peer);
            event.bytes.clear();
            forget(got.peer);
            return true;
        }
    }
    countBytes();
    roundDone = true;
    return false;
}

void EnetTransport::send(PeerId to, const std::vector<std::uint8_t>& bytes, Delivery delivery)
{
    ENetPeer* peer = find(to);
    if (peer == nullptr) {
        return;
    }
    const enet_uint32 flags =
        delivery == Delivery::RELIABLE ? ENET_PACKET_FLAG_RELIABLE : ENET_PACKET_FLAG_UNSEQUENCED;
    ENetPacket* packet = enet_packet_create(bytes.data(), bytes.size(), flags);
    // ENet checks one limit for what a host sends and receives: it stays at
    // what a peer may send here, and opens only for the send.
    const std::size_t limit = host->maximumPacketSize;
    host->maximumPacketSize = std::max(limit, bytes.size());
    if (packet != nullptr && enet_peer_send(peer, Protocol::CHANNEL_MAIN, packet) != 0) {
        enet_packet_destroy(packet);
    }
    host->maximumPacketSize = limit;
}

void EnetTransport::flush()
{
    if (host != nullptr) {
        enet_host_flush(host);
    }
}

void EnetTransport::disconnect(PeerId to, Farewell how)
{
    ENetPeer* peer = find(to);
    if (peer == nullptr) {
        return;
    }
    switch (how) {
    case Farewell::NOW:
        enet_peer_disconnect_now(peer, 0);
        forget(peer);
        break;
    case Farewell::AFTER_SENT:
        enet_peer_disconnect_later(peer, 0);
        break;
    case Farewell::DROP_QUEUED:
        enet_peer_disconnect(peer, 0);
        break;
    }
}

void EnetTransport::setTimeout(PeerId to, double seconds)
{
    if (ENetPeer* peer = find(to)) {
        const auto limitMs = static_cast<enet_uint32>(seconds * 1000);
        enet_peer_timeout(peer, 0, limitMs, limitMs);
    }
}

void EnetTransport::setReceiveLimits(std::size_t longestBytes, std::size_t waitingBytes)
{
    longest = longestBytes;
    waiting = waitingBytes;
    if (host != nullptr) {
        if (longest > 0) {
            host->maximumPacketSize = longest;
        }
        if (waiting > 0) {
            host->maximumWaitingData = waiting;
        }
    }
}

int EnetTransport::roundTripMs(PeerId to) const
{
    const ENetPeer* peer = find(to);
    return peer != nullptr ? static_cast<int>(peer->roundTripTime) : 0;
}

void EnetTransport::countBytes()
{
    // ENet's counters are 32 bits; take them over before they wrap.
    sentTotal += host->totalSentData;
    receivedTotal += host->totalReceivedData;
    host->totalSentData = 0;
    host->totalReceivedData = 0;
}

std::uint64_t EnetTransport::bytesSent() const
{
    return sentTotal + (host != nullptr ? host->totalSentData : 0);
}

std::uint64_t EnetTransport::bytesReceived() const
{
    return receivedTotal + (host != nullptr ? host->totalReceivedData : 0);
}

double EnetTransport::now() const
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void EnetTransport::wait(double seconds)
{
    if (host == nullptr || seconds <= 0) {
        return;
    }
    enet_uint32 condition = ENET_SOCKET_WAIT_RECEIVE | ENET_SOCKET_WAIT_INTERRUPT;
    enet_socket_wait(host->socket, &condition, static_cast<enet_uint32>(seconds * 1000));
}

void EnetTransport::capResends()
{
    // Only the wait ENet keeps in its public peer records is changed.
    for (ENetPeer* peer = host->peers; peer < host->peers + host->peerCount; ++peer) {
        if (peer->state != ENET_PEER_STATE_CONNECTED &&
            peer->state != ENET_PEER_STATE_DISCONNECT_LATER) {
            continue;
        }
        const enet_uint32 cap =
            std::clamp<enet_uint32>(2 * peer->roundTripTime, MIN_RESEND_MS, MAX_RESEND_MS);
        for (ENetListIterator at = enet_list_begin(&peer->sentReliableCommands);
             at != enet_list_end(&peer->sentReliableCommands); at = enet_list_next(at)) {
            ENetOutgoingCommand* command = reinterpret_cast<ENetOutgoingCommand*>(at);
            command->roundTripTimeout = std::min(command->roundTripTimeout, cap);
        }
    }
}

} // namespace Online
