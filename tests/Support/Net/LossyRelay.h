#pragma once

#include <netinet/in.h>

#include <atomic>
#include <cstdint>
#include <map>
#include <queue>
#include <string>
#include <vector>

#include "LinkFate.h"

namespace TestSupport {

// Everything the relay is told: where the server listens (loopback only),
// how each direction behaves, the seed of its draws and its bounds.
struct RelayOptions {
    std::string targetHost = "127.0.0.1";
    std::uint16_t targetPort = 0;
    // 0 takes a free port.
    std::uint16_t listenPort = 0;
    LinkShape toServer;
    LinkShape toClient;
    std::uint32_t seed = 1;
    // The relay stops by itself once it has sent this many datagrams (both
    // directions together) or lived this long.
    unsigned long maxPackets = 1000000;
    double maxSeconds = 600;
    // Client addresses it forwards for; datagrams from more are dropped.
    int maxClients = 128;
    // Datagrams waiting at once; more are dropped as a full queue would.
    std::size_t maxQueued = 65536;
};

// A UDP forwarder on 127.0.0.1 standing in front of a server on loopback,
// for tests and benchmarks of a bad network on the real transport: seeded
// delay, jitter, loss (uniform and in bursts), duplication and reordering in
// each direction, drawn as the network in memory draws them (LinkFate), on
// the real clock. Each client source address gets its own upstream socket,
// so the server sees one peer per client. Owns its sockets. Driven either by pump(now) from the caller's own loop
// (non-blocking) or by run() on a thread of its own; it stops by itself at
// its bounds, and refuses any target that is not a loopback address.
class LossyRelay {
public:
    explicit LossyRelay(const RelayOptions& options);
    ~LossyRelay();
    LossyRelay(const LossyRelay&) = delete;
    LossyRelay& operator=(const LossyRelay&) = delete;

    // Binds 127.0.0.1 and checks the target. False with the reason in error
    // (a target off loopback, a port taken); the relay then stays stopped.
    [[nodiscard]] bool open(std::string& error);
    // The port clients send to.
    std::uint16_t port() const { return listenPort; }

    // Reads what has arrived, sends what is due at now (seconds on any
    // monotonic clock; the first call starts the lifetime). Never blocks.
    // False once the relay has stopped.
    bool pump(double now);
    // Pumps until stopped, by its bounds or by requestStop() from another
    // thread, sleeping in poll() between datagrams.
    void run();
    void requestStop() { stopAsked = true; }
    bool running() const { return !stopped; }

    // Read after the relay stopped (or between pumps on the pumping thread).
    const LinkCount& toServer() const { return counts[0]; }
    const LinkCount& toClient() const { return counts[1]; }
    int clients() const { return static_cast<int>(upstreams.size()); }

    // True for a dotted IPv4 address on 127.0.0.0/8 or "localhost".
    static bool loopback(const std::string& host, in_addr& address);
    // Seconds on the steady clock, the clock run() pumps with.
    static double clock();

private:
    struct Datagram {
        double due;
        unsigned long order;
        int direction;
        int upstream;
        std::string bytes;
        bool operator>(const Datagram& other) const
        {
            return due != other.due ? due > other.due : order > other.order;
        }
    };
    struct Upstream {
        int socket;
        sockaddr_in client;
        // When the last datagram of each direction leaves, so jitter never
        // reorders.
        double lastDue[2];
    };

    void stop();
    void receiveFromClients(double now);
    void receiveFromServer(double now);
    int upstreamFor(const sockaddr_in& client);
    void admit(int direction, int upstream, std::string bytes, double now);
    void schedule(int direction, int upstream, const std::string& bytes, double due);
    void sendDue(double now);
    double nextDue() const;

    RelayOptions options;
    int listenSocket;
    std::uint16_t listenPort;
    sockaddr_in target;
    std::vector<Upstream> upstreams;
    std::map<std::uint64_t, int> upstreamOf;
    std::priority_queue<Datagram, std::vector<Datagram>, std::greater<Datagram>> queue;
    LinkFate fates[2];
    LinkCount counts[2];
    unsigned long order;
    unsigned long sentTotal;
    double startTime;
    bool started;
    bool stopped;
    std::atomic<bool> stopAsked;
};

} // namespace TestSupport
