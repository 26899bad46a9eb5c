// The real transport on 127.0.0.1, through the lossy relay on its own
// thread: what only ENet can show, its resends under heavy loss.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <thread>
#include <vector>

#include "Support/Net/LossyRelay.h"
#include "app/online/EnetTransport.h"

namespace {

using Online::EnetTransport;
using Online::TransportEvent;

// What a test's loop pumps: one transport's events, kept.
struct Listener {
    EnetTransport transport;
    Online::PeerId peer = 0;
    std::vector<std::uint8_t> numbers;
    std::vector<double> arrivals;

    void service()
    {
        TransportEvent event;
        while (transport.poll(event)) {
            if (event.type == TransportEvent::Type::CONNECTED) {
                peer = event.peer;
            } else if (event.type == TransportEvent::Type::RECEIVED && event.bytes.size() == 1) {
                numbers.push_back(event.bytes[0]);
                arrivals.push_back(transport.now());
            }
        }
    }
};

TEST(EnetTransport, ALostMessageGoesAgainWithinAboutARoundTripEvenAtHighLoss)
{
    // At 20 % loss each way a message and its acknowledgement both pass
    // only two times in three: a resend wait that kept doubling would hold
    // the ordered stream up for seconds now and then.
    Listener server;
    std::string error;
    ASSERT_TRUE(server.transport.listen("127.0.0.1", 0, 4, error)) << error;
    TestSupport::RelayOptions lossy;
    lossy.targetPort = server.transport.port();
    lossy.seed = 5;
    lossy.maxSeconds = 30;
    for (TestSupport::LinkShape* link : {&lossy.toServer, &lossy.toClient}) {
        link->delay = 0.01;
        link->loss = 0.2;
    }
    TestSupport::LossyRelay relay(lossy);
    ASSERT_TRUE(relay.open(error)) << error;
    std::thread relayThread([&relay] { relay.run(); });

    Listener client;
    const Online::PeerId peer = client.transport.connect("127.0.0.1", relay.port(), error);
    ASSERT_NE(0u, peer) << error;
    client.transport.setTimeout(peer, 30);
    constexpr int MESSAGES = 150;
    constexpr double EVERY = 0.015;
    int sent = 0;
    double nextAt = 0;
    const double until = client.transport.now() + 20;
    while (static_cast<int>(server.numbers.size()) < MESSAGES && client.transport.now() < until) {
        client.service();
        server.service();
        const double now = client.transport.now();
        if (client.peer != 0 && sent < MESSAGES && now >= nextAt) {
            client.transport.send(peer, {static_cast<std::uint8_t>(sent++)},
                                  Online::Delivery::RELIABLE);
            client.transport.flush();
            nextAt = now + EVERY;
        }
        server.transport.wait(0.001);
    }
    relay.requestStop();
    relayThread.join();

    ASSERT_EQ(MESSAGES, static_cast<int>(server.numbers.size()));
    for (int n = 0; n < MESSAGES; ++n) {
        ASSERT_EQ(n, server.numbers[static_cast<std::size_t>(n)]) << "in order, each once";
    }
    double longestGap = 0;
    for (std::size_t k = 1; k < server.arrivals.size(); ++k) {
        longestGap = std::max(longestGap, server.arrivals[k] - server.arrivals[k - 1]);
    }
    EXPECT_LT(longestGap, 0.75) << "seconds without a message";
    EXPECT_GT(relay.toServer().lost + relay.toClient().lost, 0u);
}

} // namespace
