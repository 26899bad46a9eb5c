#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace Online {

// A connection as its transport numbers it: never 0, never used again for
// another connection of the same transport.
using PeerId = std::uint32_t;

// How a message travels.
enum class Delivery {
    RELIABLE,   // exactly once, in the order sent (all of the protocol today)
    UNRELIABLE, // at most once: it may be lost, or overtake one sent before
};

// How a connection is ended from this side.
enum class Farewell {
    NOW,        // at once: no event here, the peer learns it if the goodbye arrives
    AFTER_SENT, // once what is queued has been delivered
    DROP_QUEUED // what is queued is dropped, the goodbye goes first
};

// What a transport reports: a connection made (ours or a peer's), a
// message, a connection ended (by the peer, a goodbye of ours taken, or a
// timeout).
struct TransportEvent {
    enum class Type { CONNECTED, RECEIVED, DISCONNECTED };
    Type type = Type::RECEIVED;
    PeerId peer = 0;
    std::vector<std::uint8_t> bytes;
};

// Turns a host name into an IPv4 address (host byte order); false when it
// knows none. A transport resolves every name it is given through one, so a
// test can hand in its own and never ask the machine's resolver.
using Resolver = std::function<bool(const std::string& host, std::uint32_t& address)>;

// The sessions' one way to the network: connections to peers, messages
// over them, and a clock. The real one is ENet's (EnetTransport); tests use
// an in-memory network with simulated time and a bad network's habits.
// Nothing here blocks except wait().
class I_Transport {
public:
    virtual ~I_Transport() = default;

    // Takes connections on bindHost ("" or "0.0.0.0": every interface; else
    // a dotted IPv4 address) at port (0: any free one), at most peers at a
    // time. False with the reason in error.
    virtual bool listen(const std::string& bindHost, std::uint16_t port, std::size_t peers,
                        std::string& error) = 0;
    // The port listened on; 0 before listen().
    virtual std::uint16_t port() const = 0;
    // Starts a connection to host:port, the name resolved through the
    // transport's resolver: CONNECTED or DISCONNECTED follows for the peer
    // returned. 0 with the reason in error when it cannot even start.
    virtual PeerId connect(const std::string& host, std::uint16_t port, std::string& error) = 0;

    // The next event, sending and resending what is due first; false when
    // none is waiting.
    virtual bool poll(TransportEvent& event) = 0;
    virtual void send(PeerId peer, const std::vector<std::uint8_t>& bytes, Delivery delivery) = 0;
    // Puts what was sent on its way now, not at the next poll.
    virtual void flush() = 0;
    virtual void disconnect(PeerId peer, Farewell how) = 0;

    // Seconds without an answer after which the peer counts as gone.
    virtual void setTimeout(PeerId peer, double seconds) = 0;
    // The longest message taken from a peer and the bytes a peer may keep
    // waiting here; longer or more is refused. Sending is not limited.
    virtual void setReceiveLimits(std::size_t longest, std::size_t waiting) = 0;
    // The round trip to the peer as measured, in milliseconds; 0 for none.
    virtual int roundTripMs(PeerId peer) const = 0;
    // Bytes sent and received, the transport's own overhead included.
    virtual std::uint64_t bytesSent() const = 0;
    virtual std::uint64_t bytesReceived() const = 0;

    // Seconds on the transport's clock: real time on the network, the
    // simulated clock in memory.
    virtual double now() const = 0;
    // Sleeps until a message may have arrived or seconds have passed.
    virtual void wait(double seconds) = 0;
};

} // namespace Online
