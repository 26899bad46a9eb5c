#pragma once

#include <deque>
#include <map>

#include "MemoryNetwork.h"
#include "app/online/I_Transport.h"

namespace TestSupport {

// One end of a MemoryNetwork, as a session sees a network: connections
// made with a handshake, reliable messages numbered, acknowledged, sent
// again after twice the round trip (40 to 500 ms, as the real transport
// caps it) and handed on exactly once and in order however the network
// loses, duplicates or reorders them; unreliable messages handed on as
// they come. Ends that hear nothing from a peer for its timeout (each side
// pings every half second) report it gone. Its clock is the network's.
class MemoryTransport : public Online::I_Transport {
public:
    explicit MemoryTransport(MemoryNetwork& network);
    ~MemoryTransport() override;
    MemoryTransport(const MemoryTransport&) = delete;
    MemoryTransport& operator=(const MemoryTransport&) = delete;

    bool listen(const std::string& bindHost, std::uint16_t port, std::size_t peers,
                std::string& error) override;
    std::uint16_t port() const override { return local.port; }
    Online::PeerId connect(const std::string& host, std::uint16_t port,
                           std::string& error) override;
    bool poll(Online::TransportEvent& event) override;
    void send(Online::PeerId peer, const std::vector<std::uint8_t>& bytes,
              Online::Delivery delivery) override;
    void flush() override {}
    void disconnect(Online::PeerId peer, Online::Farewell how) override;
    void setTimeout(Online::PeerId peer, double seconds) override;
    void setReceiveLimits(std::size_t longest, std::size_t) override { longestTaken = longest; }
    int roundTripMs(Online::PeerId peer) const override;
    std::uint64_t bytesSent() const override { return sentBytes; }
    std::uint64_t bytesReceived() const override { return receivedBytes; }
    double now() const override { return network.now(); }
    void wait(double) override {}

    // The network hands in a datagram that arrived.
    void take(const MemoryDatagram& datagram) { inbox.push_back(datagram); }

private:
    struct Unacked {
        std::uint32_t number;
        std::vector<std::uint8_t> bytes;
        double sentAt;
    };
    struct Connection {
        enum class State { CONNECTING, OPEN, CLOSING };
        State state = State::CONNECTING;
        MemoryAddress remote;
        // The address the peer knows this end by.
        MemoryAddress self;
        std::uint32_t nextNumber = 1;
        std::deque<Unacked> unacked;
        std::uint32_t expected = 1;
        std::map<std::uint32_t, std::vector<std::uint8_t>> early;
        double openedAt = 0;
        double lastHeard = 0;
        double lastSent = 0;
        double timeout = 5;
        double roundTrip = 0.5;
        bool dropQueued = false;
    };

    void handle(const MemoryDatagram& datagram);
    void handleConnect(const MemoryDatagram& datagram);
    void handleData(Online::PeerId id, Connection& connection, const MemoryDatagram& datagram);
    void acknowledged(Connection& connection, const MemoryDatagram& datagram);
    void keepUp(Online::PeerId id, Connection& connection);
    void say(Connection& connection, MemoryDatagram::Kind kind, std::uint32_t number = 0,
             double echo = 0, const std::vector<std::uint8_t>& bytes = {});
    void gone(Online::PeerId id);
    void event(Online::TransportEvent::Type type, Online::PeerId id,
               std::vector<std::uint8_t> bytes = {});
    Online::PeerId peerAt(const MemoryAddress& remote) const;
    double resendAfter(const Connection& connection) const;

    MemoryNetwork& network;
    MemoryAddress local;
    bool attached = false;
    bool listening = false;
    std::size_t most = 0;
    std::size_t longestTaken = 0;
    std::map<Online::PeerId, Connection> connections;
    Online::PeerId lastPeer = 0;
    std::deque<MemoryDatagram> inbox;
    std::deque<Online::TransportEvent> events;
    std::uint64_t sentBytes = 0;
    std::uint64_t receivedBytes = 0;
};

} // namespace TestSupport
