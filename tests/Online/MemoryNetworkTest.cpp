// The network in memory as a session sees it through its transport: a bad
// network's loss, bursts, duplicates and reordering hidden from reliable
// messages and shown on unreliable ones; peers that go quiet given up;
// names resolved by the network's own table.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "Support/Net/MemoryNetwork.h"

namespace {

using Online::Delivery;
using Online::TransportEvent;
using TestSupport::LinkShape;
using TestSupport::MemoryNetwork;

constexpr double TICK = 0.001;

// A client end joined to a listening end, and what each received.
struct Pair {
    MemoryNetwork& network;
    std::unique_ptr<Online::I_Transport> server = network.endpoint();
    std::unique_ptr<Online::I_Transport> client = network.endpoint();
    Online::PeerId toServer = 0;
    std::vector<std::uint16_t> got;
    std::vector<TransportEvent::Type> clientEvents;

    explicit Pair(MemoryNetwork& net) : network(net)
    {
        std::string error;
        EXPECT_TRUE(server->listen("127.0.0.1", 0, 4, error)) << error;
        toServer = client->connect("127.0.0.1", server->port(), error);
        EXPECT_NE(0u, toServer) << error;
    }

    // Pumps both ends for seconds of the network's clock.
    void pump(double seconds)
    {
        for (double end = network.now() + seconds; network.now() < end;) {
            network.advance(TICK);
            TransportEvent event;
            while (server && server->poll(event)) {
                if (event.type == TransportEvent::Type::RECEIVED) {
                    got.push_back(static_cast<std::uint16_t>(event.bytes[0] | event.bytes[1] << 8));
                }
            }
            while (client->poll(event)) {
                clientEvents.push_back(event.type);
            }
        }
    }

    // count numbered messages, one every other millisecond.
    void sendNumbers(int count, Delivery delivery)
    {
        for (int n = 0; n < count; ++n) {
            client->send(toServer,
                         {static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8)},
                         delivery);
            pump(2 * TICK);
        }
        pump(2);
    }
};

int outOfOrder(const std::vector<std::uint16_t>& got)
{
    int count = 0;
    for (std::size_t k = 1; k < got.size(); ++k) {
        count += got[k] < got[k - 1] ? 1 : 0;
    }
    return count;
}

TEST(MemoryNetwork, ReliableMessagesArriveOnceAndInOrderUnreliableOnesAsTheNetworkLeavesThem)
{
    const struct {
        const char* name;
        void (*shape)(LinkShape&);
    } rows[] = {
        {"uniform loss", [](LinkShape& s) { s.loss = 0.2; }},
        {"bursts of loss",
         [](LinkShape& s) {
             s.burstChance = 0.05;
             s.burstLength = 5;
         }},
        {"duplicates", [](LinkShape& s) { s.duplicate = 0.3; }},
        {"reordering and jitter",
         [](LinkShape& s) {
             s.jitter = 0.005;
             s.reorder = 0.3;
         }},
    };
    constexpr int COUNT = 300;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        LinkShape shape;
        shape.delay = 0.01;
        row.shape(shape);
        std::vector<std::uint16_t> unreliable;
        for (Delivery delivery : {Delivery::RELIABLE, Delivery::UNRELIABLE}) {
            MemoryNetwork network(7);
            network.toListener = shape;
            network.fromListener = shape;
            Pair pair(network);
            pair.pump(1);
            pair.sendNumbers(COUNT, delivery);
            if (delivery == Delivery::RELIABLE) {
                ASSERT_EQ(static_cast<std::size_t>(COUNT), pair.got.size());
                for (int n = 0; n < COUNT; ++n) {
                    ASSERT_EQ(n, pair.got[static_cast<std::size_t>(n)]);
                }
            } else {
                unreliable = pair.got;
            }
        }
        // Each habit shows where it was asked for, on what is not resent.
        const bool lossy = shape.loss > 0 || shape.burstChance > 0;
        EXPECT_EQ(lossy, unreliable.size() < COUNT) << unreliable.size();
        EXPECT_EQ(shape.duplicate > 0, unreliable.size() > COUNT) << unreliable.size();
        EXPECT_EQ(shape.reorder > 0, outOfOrder(unreliable) > 0);
    }
}

TEST(MemoryNetwork, AQuietPeerIsGivenUpAfterItsTimeoutAndNamesResolveByTheNetworksTable)
{
    MemoryNetwork network;
    Pair pair(network);
    pair.client->setTimeout(pair.toServer, 1.5);
    pair.pump(0.5);
    ASSERT_EQ(std::vector<TransportEvent::Type>{TransportEvent::Type::CONNECTED},
              pair.clientEvents);
    // The server goes without a word that arrives; it was last heard when
    // it took the connection, in the first milliseconds.
    network.fromListener.loss = 1.0;
    pair.server.reset();
    pair.pump(0.9);
    EXPECT_EQ(1u, pair.clientEvents.size()) << "still waiting";
    pair.pump(0.2);
    ASSERT_EQ(2u, pair.clientEvents.size());
    EXPECT_EQ(TransportEvent::Type::DISCONNECTED, pair.clientEvents[1]);

    network.name("server.test", 0x7F000001);
    std::unique_ptr<Online::I_Transport> end = network.endpoint();
    std::string error;
    EXPECT_NE(0u, end->connect("server.test", 4040, error)) << error;
    EXPECT_NE(0u, end->connect("localhost", 4040, error)) << error;
    EXPECT_EQ(0u, end->connect("nowhere.test", 4040, error));
    EXPECT_EQ("cannot reach nowhere.test: unknown host", error);
}

} // namespace
