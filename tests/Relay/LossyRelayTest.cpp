// The lossy relay with plain UDP sockets on both sides and a clock the test
// moves: what arrives, when, in which order, from which source, and that
// its bounds stop it.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Support/Net/LossyRelay.h"

namespace {

using TestSupport::LossyRelay;
using TestSupport::RelayOptions;

// A UDP socket on 127.0.0.1 with a free port.
struct Endpoint {
    int fd;
    std::uint16_t port;

    Endpoint()
    {
        fd = socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
        socklen_t length = sizeof address;
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
        port = ntohs(address.sin_port);
    }
    ~Endpoint() { close(fd); }

    void sendTo(std::uint16_t to, std::uint32_t number) const
    {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(to);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        sendto(fd, &number, sizeof number, 0, reinterpret_cast<sockaddr*>(&address),
               sizeof address);
    }
    // Every number waiting, in arrival order; sources collects the ports.
    std::vector<std::uint32_t> receive(std::set<std::uint16_t>* sources = nullptr) const
    {
        std::vector<std::uint32_t> numbers;
        std::uint32_t number;
        sockaddr_in source{};
        socklen_t length = sizeof source;
        while (recvfrom(fd, &number, sizeof number, 0, reinterpret_cast<sockaddr*>(&source),
                        &length) == sizeof number) {
            numbers.push_back(number);
            if (sources) {
                sources->insert(ntohs(source.sin_port));
            }
        }
        return numbers;
    }
};

RelayOptions towards(const Endpoint& server)
{
    RelayOptions options;
    options.targetPort = server.port;
    return options;
}

// Sends count numbers through the relay in small batches (a socket's buffer
// holds only so many), pumping at time 0 and draining the server, then pumps at time until, and
// returns what the server got, in order.
std::vector<std::uint32_t> pass(LossyRelay& relay, const Endpoint& client, const Endpoint& server,
                                std::uint32_t count, double until)
{
    std::vector<std::uint32_t> got;
    for (std::uint32_t n = 0; n < count; ++n) {
        client.sendTo(relay.port(), n);
        if (n % 50 == 49 || n + 1 == count) {
            relay.pump(0.0);
            const std::vector<std::uint32_t> batch = server.receive();
            got.insert(got.end(), batch.begin(), batch.end());
        }
    }
    relay.pump(until);
    const std::vector<std::uint32_t> rest = server.receive();
    got.insert(got.end(), rest.begin(), rest.end());
    return got;
}

TEST(LossyRelay, ForwardsOnlyToLoopback)
{
    const struct {
        const char* host;
        bool opens;
    } rows[] = {{"127.0.0.1", true},    {"localhost", true}, {"127.3.2.1", true},
                {"10.0.0.1", false},    {"8.8.8.8", false},  {"0.0.0.0", false},
                {"example.com", false}, {"", false},         {"::1", false}};
    const Endpoint server;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.host);
        RelayOptions options = towards(server);
        options.targetHost = row.host;
        LossyRelay relay(options);
        std::string error;
        EXPECT_EQ(relay.open(error), row.opens) << error;
        EXPECT_EQ(relay.running(), row.opens);
        if (!row.opens) {
            EXPECT_NE(error.find("loopback"), std::string::npos) << error;
        }
    }
}

TEST(LossyRelay, LossAndDuplicationFollowTheirSharesAndTheSeed)
{
    const struct {
        double loss;
        double duplicate;
        std::uint32_t seed;
        int low;
        int high;
    } rows[] = {{0.0, 0.0, 1, 1000, 1000},
                {0.05, 0.0, 2, 920, 980},
                {0.2, 0.0, 3, 740, 860},
                {0.0, 0.5, 4, 1420, 1580},
                {1.0, 0.0, 5, 0, 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.loss);
        std::vector<std::uint32_t> firstRun;
        for (int run = 0; run < 2; ++run) {
            const Endpoint server;
            const Endpoint client;
            RelayOptions options = towards(server);
            options.toServer.loss = row.loss;
            options.toServer.duplicate = row.duplicate;
            options.seed = row.seed;
            LossyRelay relay(options);
            std::string error;
            ASSERT_TRUE(relay.open(error)) << error;
            const std::vector<std::uint32_t> got = pass(relay, client, server, 1000, 0.0);
            EXPECT_GE(static_cast<int>(got.size()), row.low);
            EXPECT_LE(static_cast<int>(got.size()), row.high);
            if (run == 0) {
                firstRun = got;
            } else {
                EXPECT_EQ(got, firstRun) << "the same seed drops the same datagrams";
            }
        }
    }
}

TEST(LossyRelay, DelaysWithJitterButKeepsOrderUnlessAskedToReorder)
{
    for (const double reorder : {0.0, 0.3}) {
        SCOPED_TRACE(reorder);
        const Endpoint server;
        const Endpoint client;
        RelayOptions options = towards(server);
        options.toServer.delay = 0.05;
        options.toServer.jitter = 0.01;
        options.toServer.reorder = reorder;
        LossyRelay relay(options);
        std::string error;
        ASSERT_TRUE(relay.open(error)) << error;
        EXPECT_TRUE(pass(relay, client, server, 200, 0.0399).empty()) << "nothing before 40 ms";
        relay.pump(0.061);
        const std::vector<std::uint32_t> got = server.receive();
        relay.pump(0.2);
        const std::vector<std::uint32_t> late = server.receive();
        int outOfOrder = 0;
        for (std::size_t k = 1; k < got.size(); ++k) {
            outOfOrder += got[k] < got[k - 1] ? 1 : 0;
        }
        if (reorder == 0.0) {
            EXPECT_EQ(got.size(), 200u) << "all within 50 +/- 10 ms";
            EXPECT_EQ(outOfOrder, 0);
            EXPECT_TRUE(late.empty());
        } else {
            EXPECT_EQ(got.size() + late.size(), 200u);
            EXPECT_GT(outOfOrder + static_cast<int>(late.size()), 20);
            EXPECT_GT(relay.toServer().reordered, 30u);
        }
    }
}

TEST(LossyRelay, EachClientReachesTheServerFromItsOwnAddressAndGetsItsReplies)
{
    const Endpoint server;
    const Endpoint clients[3];
    RelayOptions options = towards(server);
    options.toClient.delay = 0.005;
    LossyRelay relay(options);
    std::string error;
    ASSERT_TRUE(relay.open(error)) << error;
    for (std::uint32_t k = 0; k < 3; ++k) {
        clients[k].sendTo(relay.port(), 100 + k);
    }
    relay.pump(0.0);
    std::set<std::uint16_t> sources;
    EXPECT_EQ(server.receive(&sources).size(), 3u);
    ASSERT_EQ(sources.size(), 3u);
    EXPECT_EQ(relay.clients(), 3);
    // The server answers each source with its port; each client gets its own.
    for (const std::uint16_t source : sources) {
        server.sendTo(source, source);
    }
    relay.pump(0.001);
    relay.pump(0.006);
    std::set<std::uint32_t> replies;
    for (const Endpoint& client : clients) {
        const std::vector<std::uint32_t> got = client.receive();
        ASSERT_EQ(got.size(), 1u);
        replies.insert(got[0]);
    }
    EXPECT_EQ(replies.size(), 3u);
}

TEST(LossyRelay, StopsByItselfAtItsBounds)
{
    const Endpoint server;
    const Endpoint client;
    {
        RelayOptions options = towards(server);
        options.maxPackets = 10;
        LossyRelay relay(options);
        std::string error;
        ASSERT_TRUE(relay.open(error)) << error;
        EXPECT_EQ(pass(relay, client, server, 30, 0.0).size(), 10u);
        EXPECT_FALSE(relay.running());
        EXPECT_FALSE(relay.pump(1.0));
    }
    {
        RelayOptions options = towards(server);
        options.maxSeconds = 2.0;
        LossyRelay relay(options);
        std::string error;
        ASSERT_TRUE(relay.open(error)) << error;
        EXPECT_TRUE(relay.pump(100.0));
        EXPECT_TRUE(relay.pump(101.9));
        EXPECT_FALSE(relay.pump(102.0));
        relay.requestStop();
        EXPECT_FALSE(relay.running());
    }
    {
        // On its own thread it ends at its lifetime without any traffic.
        RelayOptions options = towards(server);
        options.maxSeconds = 0.05;
        LossyRelay relay(options);
        std::string error;
        ASSERT_TRUE(relay.open(error)) << error;
        const double start = LossyRelay::clock();
        relay.run();
        EXPECT_LT(LossyRelay::clock() - start, 1.0);
        EXPECT_FALSE(relay.running());
    }
}

} // namespace
