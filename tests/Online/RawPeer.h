#pragma once

#include <memory>
#include <vector>

#include "Support/Net/MemoryNetwork.h"
#include "app/online/MessageCodec.h"

// A bare peer that sends whatever bytes a test gives it, to play the client
// that breaks the rules. Keeps every message it receives, decoded.
class RawPeer {
public:
    RawPeer(TestSupport::MemoryNetwork& network, std::uint16_t port) : link(network.endpoint())
    {
        std::string error;
        peer = link->connect("127.0.0.1", port, error);
    }
    ~RawPeer() { link->disconnect(peer, Online::Farewell::NOW); }

    void service()
    {
        Online::TransportEvent event;
        while (link->poll(event)) {
            if (event.type == Online::TransportEvent::Type::CONNECTED) {
                connected = true;
            } else if (event.type == Online::TransportEvent::Type::DISCONNECTED) {
                disconnected = true;
            } else {
                Online::Message message;
                std::string error;
                if (Online::MessageCodec::decode(event.bytes.data(), event.bytes.size(),
                                                 Online::Protocol::MAX_SERVER_MESSAGE, message,
                                                 error)) {
                    received.push_back(message);
                }
            }
        }
    }

    void send(const std::vector<std::uint8_t>& bytes)
    {
        link->send(peer, bytes, Online::Delivery::RELIABLE);
    }
    void send(const Online::Message& message) { send(Online::MessageCodec::encode(message)); }

    // The last message of a type received, or null.
    const Online::Message* last(Online::MessageType type) const
    {
        for (auto it = received.rbegin(); it != received.rend(); ++it) {
            if (it->type == type) {
                return &*it;
            }
        }
        return nullptr;
    }

    bool connected = false;
    bool disconnected = false;
    std::vector<Online::Message> received;

private:
    std::unique_ptr<Online::I_Transport> link;
    Online::PeerId peer = 0;
};
