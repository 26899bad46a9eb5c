#include "LossyRelay.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

namespace TestSupport {

namespace {

constexpr int TO_SERVER = 0;
constexpr int TO_CLIENT = 1;
// Largest datagram read; ENet's own stay well under it.
constexpr std::size_t MAX_DATAGRAM = 65536;
// Datagrams read from one socket in one pump, so a flood cannot starve the
// sending half.
constexpr int READS_PER_PUMP = 256;

int openLoopbackSocket(std::uint16_t port, std::string& error)
{
    const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        error = std::string("cannot open a socket: ") + std::strerror(errno);
        return -1;
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        error = "cannot bind 127.0.0.1:" + std::to_string(port) + ": " + std::strerror(errno);
        close(fd);
        return -1;
    }
    return fd;
}

std::uint64_t keyOf(const sockaddr_in& address)
{
    return (static_cast<std::uint64_t>(address.sin_addr.s_addr) << 16) | address.sin_port;
}

} // namespace

LossyRelay::LossyRelay(const RelayOptions& relayOptions)
    : options(relayOptions), listenSocket(-1),
      listenPort(0), target{}, fates{LinkFate(relayOptions.seed),
                                     LinkFate(static_cast<std::uint64_t>(relayOptions.seed) ^
                                              0x9E3779B97F4A7C15ULL)},
      order(0), sentTotal(0), startTime(0), started(false), stopped(true), stopAsked(false)
{
}

LossyRelay::~LossyRelay()
{
    stop();
}

bool LossyRelay::loopback(const std::string& host, in_addr& address)
{
    const std::string dotted = host == "localhost" ? "127.0.0.1" : host;
    if (inet_pton(AF_INET, dotted.c_str(), &address) != 1) {
        return false;
    }
    return (ntohl(address.s_addr) >> 24) == 127;
}

double LossyRelay::clock()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

bool LossyRelay::open(std::string& error)
{
    stop();
    target = sockaddr_in{};
    target.sin_family = AF_INET;
    target.sin_port = htons(options.targetPort);
    if (!loopback(options.targetHost, target.sin_addr)) {
        error = "the relay forwards to loopback only, not to '" + options.targetHost + "'";
        return false;
    }
    if (options.targetPort == 0) {
        error = "the relay needs the server's port";
        return false;
    }
    listenSocket = openLoopbackSocket(options.listenPort, error);
    if (listenSocket < 0) {
        return false;
    }
    sockaddr_in bound{};
    socklen_t length = sizeof bound;
    getsockname(listenSocket, reinterpret_cast<sockaddr*>(&bound), &length);
    listenPort = ntohs(bound.sin_port);
    stopped = false;
    started = false;
    stopAsked = false;
    return true;
}

void LossyRelay::stop()
{
    for (const Upstream& upstream : upstreams) {
        close(upstream.socket);
    }
    upstreams.clear();
    upstreamOf.clear();
    if (listenSocket >= 0) {
        close(listenSocket);
        listenSocket = -1;
    }
    queue = {};
    stopped = true;
}

bool LossyRelay::pump(double now)
{
    if (stopped) {
        return false;
    }
    if (!started) {
        started = true;
        startTime = now;
    }
    if (stopAsked || now - startTime >= options.maxSeconds) {
        stop();
        return false;
    }
    receiveFromClients(now);
    receiveFromServer(now);
    sendDue(now);
    return !stopped;
}

void LossyRelay::run()
{
    while (pump(clock())) {
        std::vector<pollfd> watched;
        watched.push_back({listenSocket, POLLIN, 0});
        for (const Upstream& upstream : upstreams) {
            watched.push_back({upstream.socket, POLLIN, 0});
        }
        // Wake for the next due datagram, and at least every 10 ms to see a
        // stop request or the end of the lifetime.
        double wait = 0.010;
        if (!queue.empty()) {
            wait = std::min(wait, std::max(0.0, nextDue() - clock()));
        }
        poll(watched.data(), watched.size(), static_cast<int>(wait * 1000.0));
    }
}

void LossyRelay::receiveFromClients(double now)
{
    char buffer[MAX_DATAGRAM];
    for (int i = 0; i < READS_PER_PUMP; ++i) {
        sockaddr_in source{};
        socklen_t length = sizeof source;
        const ssize_t size = recvfrom(listenSocket, buffer, sizeof buffer, 0,
                                      reinterpret_cast<sockaddr*>(&source), &length);
        if (size < 0) {
            return;
        }
        const int upstream = upstreamFor(source);
        if (upstream < 0) {
            ++counts[TO_SERVER].received;
            ++counts[TO_SERVER].lost;
            continue;
        }
        admit(TO_SERVER, upstream, std::string(buffer, static_cast<std::size_t>(size)), now);
    }
}

void LossyRelay::receiveFromServer(double now)
{
    char buffer[MAX_DATAGRAM];
    for (std::size_t k = 0; k < upstreams.size(); ++k) {
        for (int i = 0; i < READS_PER_PUMP; ++i) {
            const ssize_t size = recv(upstreams[k].socket, buffer, sizeof buffer, 0);
            if (size < 0) {
                break;
            }
            admit(TO_CLIENT, static_cast<int>(k),
                  std::string(buffer, static_cast<std::size_t>(size)), now);
        }
    }
}

int LossyRelay::upstreamFor(const sockaddr_in& client)
{
    const auto known = upstreamOf.find(keyOf(client));
    if (known != upstreamOf.end()) {
        return known->second;
    }
    if (static_cast<int>(upstreams.size()) >= options.maxClients) {
        return -1;
    }
    std::string error;
    const int fd = openLoopbackSocket(0, error);
    if (fd < 0) {
        return -1;
    }
    if (connect(fd, reinterpret_cast<const sockaddr*>(&target), sizeof target) != 0) {
        close(fd);
        return -1;
    }
    upstreams.push_back({fd, client, {0, 0}});
    const int index = static_cast<int>(upstreams.size()) - 1;
    upstreamOf[keyOf(client)] = index;
    return index;
}

// Decides the fate of one arriving datagram: lost, or scheduled once or
// twice, each copy with its own delay.
void LossyRelay::admit(int direction, int upstream, std::string bytes, double now)
{
    double due[2];
    const int copies = fates[direction].arrivals(
        direction == TO_SERVER ? options.toServer : options.toClient, now,
        upstreams[static_cast<std::size_t>(upstream)].lastDue[direction], counts[direction], due);
    for (int copy = 0; copy < copies; ++copy) {
        schedule(direction, upstream, bytes, due[copy]);
    }
}

void LossyRelay::schedule(int direction, int upstream, const std::string& bytes, double due)
{
    if (queue.size() >= options.maxQueued) {
        ++counts[direction].lost;
        return;
    }
    queue.push(Datagram{due, order++, direction, upstream, bytes});
}

double LossyRelay::nextDue() const
{
    return queue.top().due;
}

void LossyRelay::sendDue(double now)
{
    while (!queue.empty() && queue.top().due <= now) {
        const Datagram& datagram = queue.top();
        const Upstream& upstream = upstreams[static_cast<std::size_t>(datagram.upstream)];
        if (datagram.direction == TO_SERVER) {
            send(upstream.socket, datagram.bytes.data(), datagram.bytes.size(), MSG_DONTWAIT);
        } else {
            sendto(listenSocket, datagram.bytes.data(), datagram.bytes.size(), MSG_DONTWAIT,
                   reinterpret_cast<const sockaddr*>(&upstream.client), sizeof upstream.client);
        }
        ++counts[datagram.direction].sent;
        queue.pop();
        if (++sentTotal >= options.maxPackets) {
            stop();
            return;
        }
    }
}

} // namespace TestSupport
