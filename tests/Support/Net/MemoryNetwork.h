#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <queue>
#include <string>
#include <vector>

#include "LinkFate.h"
#include "app/online/I_Transport.h"

namespace TestSupport {

class MemoryTransport;

// An end's address: IPv4 (host byte order; 0 for every address of a
// listener) and port.
struct MemoryAddress {
    std::uint32_t host = 0;
    std::uint16_t port = 0;
    bool operator<(const MemoryAddress& other) const
    {
        return host != other.host ? host < other.host : port < other.port;
    }
    bool operator==(const MemoryAddress& other) const
    {
        return host == other.host && port == other.port;
    }
};

// One datagram between two ends: what MemoryTransport says to its peers.
struct MemoryDatagram {
    enum class Kind { CONNECT, ACCEPT, DATA, ACK, PING, FAREWELL, FAREWELL_TAKEN };
    Kind kind = Kind::DATA;
    MemoryAddress from;
    MemoryAddress to;
    // DATA: the reliable message's number (0 for an unreliable one); ACK:
    // the number taken.
    std::uint32_t number = 0;
    // When the datagram this answers was sent: the sender's round trip.
    double echo = 0;
    std::vector<std::uint8_t> bytes;
};

// A network in memory for the online tests: ends made by endpoint() find
// each other by address and port, every datagram between them goes through
// a seeded bad network (delay, jitter, loss uniform and in bursts,
// duplication, reordering; one shape towards the listening ends, one back)
// and arrives when the simulated clock, which only advance() moves, says
// so. Names resolve through its own table ("localhost" and what name()
// adds), never the machine's. Owns the datagrams in flight; the ends belong
// to their callers and leave the network when destroyed.
class MemoryNetwork {
public:
    explicit MemoryNetwork(std::uint32_t seed = 1);
    MemoryNetwork(const MemoryNetwork&) = delete;
    MemoryNetwork& operator=(const MemoryNetwork&) = delete;

    LinkShape toListener;
    LinkShape fromListener;

    double now() const { return clock; }
    void advance(double seconds) { clock += seconds; }
    void name(const std::string& host, std::uint32_t address) { names[host] = address; }

    // A new end on this network.
    std::unique_ptr<Online::I_Transport> endpoint();

    const LinkCount& toListenerCount() const { return counts[0]; }
    const LinkCount& fromListenerCount() const { return counts[1]; }

    // For the ends: their names, their addresses, their datagrams.
    bool resolve(const std::string& host, std::uint32_t& address) const;
    // Puts the end at host:port (0: a free port); 0 when the port is taken.
    std::uint16_t attach(MemoryTransport* end, std::uint32_t host, std::uint16_t port,
                         bool listening);
    void detach(MemoryTransport* end);
    // Sends a datagram through the shape of its direction.
    void post(const MemoryDatagram& datagram);
    // Hands every datagram due by now to its end.
    void deliverDue();

private:
    struct Flight {
        double due;
        unsigned long order;
        int direction;
        MemoryDatagram datagram;
        bool operator>(const Flight& other) const
        {
            return due != other.due ? due > other.due : order > other.order;
        }
    };
    struct End {
        MemoryTransport* transport;
        bool listening;
    };

    // The end at an address, or at every address of its port.
    const End* find(const MemoryAddress& at) const;

    double clock = 0;
    // Towards the listening ends and back.
    LinkFate fates[2];
    std::map<std::string, std::uint32_t> names;
    std::map<MemoryAddress, End> ends;
    std::uint16_t nextPort = 49152;
    std::priority_queue<Flight, std::vector<Flight>, std::greater<Flight>> flights;
    unsigned long order = 0;
    std::map<std::pair<MemoryAddress, MemoryAddress>, double> lastDue;
    LinkCount counts[2];
};

} // namespace TestSupport
