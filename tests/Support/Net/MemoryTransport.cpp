#include "MemoryTransport.h"

#include <arpa/inet.h>

#include <algorithm>

namespace TestSupport {

using Online::PeerId;
using Online::TransportEvent;
using Kind = MemoryDatagram::Kind;

namespace {

constexpr std::uint32_t LOOPBACK = 0x7F000001;
// Seconds between pings of a quiet connection, and between attempts to
// connect.
constexpr double PING_EVERY = 0.5;
constexpr double CONNECT_AGAIN = 0.5;
// Counted per datagram besides its message, as a real one has headers.
constexpr std::size_t HEADER_BYTES = 12;
// Messages kept that arrived before those numbered ahead of them.
constexpr std::uint32_t MOST_EARLY = 4096;

bool dotted(const std::string& text, std::uint32_t& address)
{
    in_addr parsed{};
    if (inet_pton(AF_INET, text.c_str(), &parsed) != 1) {
        return false;
    }
    address = ntohl(parsed.s_addr);
    return true;
}

} // namespace

MemoryTransport::MemoryTransport(MemoryNetwork& network) : network(network) {}

MemoryTransport::~MemoryTransport()
{
    for (auto& entry : connections) {
        say(entry.second, Kind::FAREWELL);
    }
    network.detach(this);
}

bool MemoryTransport::listen(const std::string& bindHost, std::uint16_t port, std::size_t peers,
                             std::string& error)
{
    std::uint32_t host = 0;
    if (!bindHost.empty() && bindHost != "0.0.0.0" && !dotted(bindHost, host)) {
        error = "cannot listen on " + bindHost + ": not an IPv4 address";
        return false;
    }
    const std::uint16_t taken = attached ? 0 : network.attach(this, host, port, true);
    if (taken == 0) {
        error = "cannot listen on port " + std::to_string(port) + " (taken?)";
        return false;
    }
    local = MemoryAddress{host, taken};
    attached = listening = true;
    most = peers;
    return true;
}

PeerId MemoryTransport::connect(const std::string& host, std::uint16_t port, std::string& error)
{
    std::uint32_t address = 0;
    if (!dotted(host, address) && !network.resolve(host, address)) {
        error = "cannot reach " + host + ": unknown host";
        return 0;
    }
    if (!attached) {
        local = MemoryAddress{LOOPBACK, network.attach(this, LOOPBACK, 0, false)};
        attached = true;
    }
    Connection connection;
    connection.remote = MemoryAddress{address, port};
    connection.self = local;
    connection.openedAt = connection.lastHeard = now();
    const PeerId id = ++lastPeer;
    Connection& made = connections[id] = connection;
    say(made, Kind::CONNECT, 0, now());
    return id;
}

bool MemoryTransport::poll(TransportEvent& next)
{
    network.deliverDue();
    while (!inbox.empty()) {
        const MemoryDatagram datagram = inbox.front();
        inbox.pop_front();
        handle(datagram);
    }
    std::vector<PeerId> ids;
    for (const auto& entry : connections) {
        ids.push_back(entry.first);
    }
    for (PeerId id : ids) {
        keepUp(id, connections[id]);
    }
    if (events.empty()) {
        return false;
    }
    next = std::move(events.front());
    events.pop_front();
    return true;
}

void MemoryTransport::handle(const MemoryDatagram& datagram)
{
    receivedBytes += HEADER_BYTES + datagram.bytes.size();
    if (datagram.kind == Kind::CONNECT) {
        handleConnect(datagram);
        return;
    }
    const PeerId id = peerAt(datagram.from);
    if (id == 0) {
        // A goodbye to a connection already gone still gets its answer.
        if (datagram.kind == Kind::FAREWELL) {
            MemoryDatagram taken;
            taken.kind = Kind::FAREWELL_TAKEN;
            taken.from = datagram.to;
            taken.to = datagram.from;
            network.post(taken);
        }
        return;
    }
    Connection& connection = connections[id];
    connection.lastHeard = now();
    // Anything from the peer but a goodbye says the connection was taken,
    // even when its acceptance was lost on the way.
    if (connection.state == Connection::State::CONNECTING && datagram.kind != Kind::FAREWELL) {
        connection.state = Connection::State::OPEN;
        if (datagram.kind == Kind::ACCEPT) {
            connection.roundTrip = std::max(0.001, now() - datagram.echo);
        }
        event(TransportEvent::Type::CONNECTED, id);
    }
    switch (datagram.kind) {
    case Kind::DATA:
        handleData(id, connection, datagram);
        break;
    case Kind::ACK:
        acknowledged(connection, datagram);
        break;
    case Kind::FAREWELL:
        say(connection, Kind::FAREWELL_TAKEN);
        gone(id);
        break;
    case Kind::FAREWELL_TAKEN:
        if (connection.state == Connection::State::CLOSING) {
            gone(id);
        }
        break;
    case Kind::CONNECT:
    case Kind::ACCEPT:
    case Kind::PING:
        break;
    }
}

void MemoryTransport::handleConnect(const MemoryDatagram& datagram)
{
    const PeerId known = peerAt(datagram.from);
    if (known != 0) {
        // Its acceptance was lost: again.
        say(connections[known], Kind::ACCEPT, 0, datagram.echo);
        return;
    }
    if (!listening || connections.size() >= most) {
        return;
    }
    Connection connection;
    connection.state = Connection::State::OPEN;
    connection.remote = datagram.from;
    connection.self = datagram.to;
    connection.openedAt = connection.lastHeard = now();
    // The one clock of the network times the connect's way here.
    connection.roundTrip = std::max(0.001, 2 * (now() - datagram.echo));
    const PeerId id = ++lastPeer;
    Connection& made = connections[id] = connection;
    say(made, Kind::ACCEPT, 0, datagram.echo);
    event(TransportEvent::Type::CONNECTED, id);
}

void MemoryTransport::handleData(PeerId id, Connection& connection, const MemoryDatagram& datagram)
{
    if (longestTaken > 0 && datagram.bytes.size() > longestTaken) {
        return;
    }
    if (datagram.number == 0) {
        event(TransportEvent::Type::RECEIVED, id, datagram.bytes);
        return;
    }
    say(connection, Kind::ACK, datagram.number, datagram.echo);
    if (datagram.number == connection.expected) {
        event(TransportEvent::Type::RECEIVED, id, datagram.bytes);
        ++connection.expected;
        for (auto early = connection.early.find(connection.expected);
             early != connection.early.end(); early = connection.early.find(connection.expected)) {
            event(TransportEvent::Type::RECEIVED, id, std::move(early->second));
            connection.early.erase(early);
            ++connection.expected;
        }
    } else if (datagram.number > connection.expected &&
               datagram.number - connection.expected < MOST_EARLY) {
        connection.early[datagram.number] = datagram.bytes;
    }
}

void MemoryTransport::acknowledged(Connection& connection, const MemoryDatagram& datagram)
{
    auto& unacked = connection.unacked;
    const auto found = std::find_if(unacked.begin(), unacked.end(),
                                    [&](const Unacked& u) { return u.number == datagram.number; });
    if (found == unacked.end()) {
        return;
    }
    const double sample = now() - datagram.echo;
    if (sample > 0) {
        connection.roundTrip = 0.875 * connection.roundTrip + 0.125 * sample;
    }
    unacked.erase(found);
}

double MemoryTransport::resendAfter(const Connection& connection) const
{
    return std::clamp(2 * connection.roundTrip, 0.04, 0.5);
}

void MemoryTransport::keepUp(PeerId id, Connection& connection)
{
    const double at = now();
    if (connection.state == Connection::State::CONNECTING) {
        if (at - connection.openedAt >= connection.timeout) {
            gone(id);
        } else if (at - connection.lastSent >= CONNECT_AGAIN) {
            say(connection, Kind::CONNECT, 0, at);
        }
        return;
    }
    if (at - connection.lastHeard > connection.timeout) {
        gone(id);
        return;
    }
    if (connection.dropQueued) {
        connection.unacked.clear();
    }
    for (Unacked& pending : connection.unacked) {
        if (at - pending.sentAt >= resendAfter(connection)) {
            pending.sentAt = at;
            say(connection, Kind::DATA, pending.number, at, pending.bytes);
        }
    }
    const bool farewellDue = connection.state == Connection::State::CLOSING &&
                             connection.unacked.empty() &&
                             at - connection.lastSent >= resendAfter(connection);
    if (farewellDue) {
        say(connection, Kind::FAREWELL);
    } else if (at - connection.lastSent >= PING_EVERY) {
        say(connection, Kind::PING);
    }
}

void MemoryTransport::send(PeerId peer, const std::vector<std::uint8_t>& bytes,
                           Online::Delivery delivery)
{
    const auto found = connections.find(peer);
    if (found == connections.end() || found->second.state == Connection::State::CLOSING) {
        return;
    }
    Connection& connection = found->second;
    const bool open = connection.state == Connection::State::OPEN;
    if (delivery == Online::Delivery::UNRELIABLE) {
        if (open) {
            say(connection, Kind::DATA, 0, now(), bytes);
        }
        return;
    }
    const std::uint32_t number = connection.nextNumber++;
    // Before the connection is open it waits for the first resend.
    connection.unacked.push_back(Unacked{number, bytes, open ? now() : -1e9});
    if (open) {
        say(connection, Kind::DATA, number, now(), bytes);
    }
}

void MemoryTransport::disconnect(PeerId peer, Online::Farewell how)
{
    const auto found = connections.find(peer);
    if (found == connections.end()) {
        return;
    }
    Connection& connection = found->second;
    if (how == Online::Farewell::NOW || connection.state == Connection::State::CONNECTING) {
        say(connection, Kind::FAREWELL);
        connections.erase(found);
        return;
    }
    connection.state = Connection::State::CLOSING;
    connection.dropQueued = how == Online::Farewell::DROP_QUEUED;
    // The goodbye goes at once when nothing waits for an acknowledgement.
    connection.lastSent = -1e9;
}

void MemoryTransport::setTimeout(PeerId peer, double seconds)
{
    const auto found = connections.find(peer);
    if (found != connections.end()) {
        found->second.timeout = seconds;
    }
}

int MemoryTransport::roundTripMs(PeerId peer) const
{
    const auto found = connections.find(peer);
    return found == connections.end() ? 0 : static_cast<int>(found->second.roundTrip * 1000);
}

void MemoryTransport::say(Connection& connection, Kind kind, std::uint32_t number, double echo,
                          const std::vector<std::uint8_t>& bytes)
{
    MemoryDatagram datagram;
    datagram.kind = kind;
    datagram.from = connection.self;
    datagram.to = connection.remote;
    datagram.number = number;
    datagram.echo = echo;
    datagram.bytes = bytes;
    sentBytes += HEADER_BYTES + bytes.size();
    connection.lastSent = now();
    network.post(datagram);
}

void MemoryTransport::gone(PeerId id)
{
    event(TransportEvent::Type::DISCONNECTED, id);
    connections.erase(id);
}

void MemoryTransport::event(TransportEvent::Type type, PeerId id, std::vector<std::uint8_t> bytes)
{
    TransportEvent happened;
    happened.type = type;
    happened.peer = id;
    happened.bytes = std::move(bytes);
    events.push_back(std::move(happened));
}

PeerId MemoryTransport::peerAt(const MemoryAddress& remote) const
{
    for (const auto& entry : connections) {
        if (entry.second.remote == remote) {
            return entry.first;
        }
    }
    return 0;
}

} // namespace TestSupport
