#pragma once

#include <cstdint>
#include <map>

#include "I_Transport.h"

typedef struct _ENetHost ENetHost;
typedef struct _ENetPeer ENetPeer;

namespace Online {

// The transport on the real network: ENet over UDP, IPv4 only (Debian's
// ENet 1.3), one channel. The only file pair that calls ENet. It starts
// ENet once per process, makes its host on the first listen() or
// connect(), numbers ENet's peers (whose records ENet reuses) and caps
// ENet's resend wait: ENet doubles the wait before it sends a lost reliable
// packet again at every loss, without end, so at 10 % loss a packet lost
// six times in a row waits seconds and every packet queued behind it on
// the ordered channel waits too (the match freezes, and a peer's timeout
// may give up). A match's stream is small and steady, so a lost packet goes
// again about once a round trip: each pending packet's wait is kept to
// twice the peer's round trip, between MIN_RESEND_MS and MAX_RESEND_MS.
// Its clock is the steady clock. Owns its ENet host.
class EnetTransport : public I_Transport {
public:
    static constexpr unsigned MIN_RESEND_MS = 40;
    static constexpr unsigned MAX_RESEND_MS = 500;

    // Names resolved by resolver; the machine's resolver by default
    // (dotted addresses never reach it).
    explicit EnetTransport(Resolver resolver = systemResolver());
    ~EnetTransport() override;
    EnetTransport(const EnetTransport&) = delete;
    EnetTransport& operator=(const EnetTransport&) = delete;

    // The machine's own name lookup (getaddrinfo, through ENet).
    static Resolver systemResolver();

    bool listen(const std::string& bindHost, std::uint16_t port, std::size_t peers,
                std::string& error) override;
    std::uint16_t port() const override;
    PeerId connect(const std::string& host, std::uint16_t port, std::string& error) override;
    bool poll(TransportEvent& event) override;
    void send(PeerId peer, const std::vector<std::uint8_t>& bytes, Delivery delivery) override;
    void flush() override;
    void disconnect(PeerId peer, Farewell how) override;
    void setTimeout(PeerId peer, double seconds) override;
    void setReceiveLimits(std::size_t longest, std::size_t waiting) override;
    int roundTripMs(PeerId peer) const override;
    std::uint64_t bytesSent() const override;
    std::uint64_t bytesReceived() const override;
    double now() const override;
    void wait(double seconds) override;

private:
    bool makeHost(const void* address, std::size_t peers, std::string& error);
    ENetPeer* find(PeerId peer) const;
    PeerId number(ENetPeer* peer);
    void forget(ENetPeer* peer);
    void capResends();
    void countBytes();

    Resolver resolver;
    ENetHost* host = nullptr;
    std::size_t longest = 0;
    std::size_t waiting = 0;
    std::map<PeerId, ENetPeer*> peers;
    PeerId lastPeer = 0;
    // Between two polls that found nothing: the next poll starts a round.
    bool roundDone = true;
    std::uint64_t sentTotal = 0;
    std::uint64_t receivedTotal = 0;
};

} // namespace Online
