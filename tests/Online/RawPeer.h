#pragma once

#include <enet/enet.h>

#include <vector>

#include "app/online/MessageCodec.h"

// A bare ENet peer that sends whatever bytes a test gives it, to play the
// client that breaks the rules. Keeps every message it receives, decoded.
class RawPeer {
public:
    explicit RawPeer(std::uint16_t port)
    {
        host = enet_host_create(nullptr, 1, Online::Protocol::CHANNELS, 0, 0);
        ENetAddress address{};
        enet_address_set_host_ip(&address, "127.0.0.1");
        address.port = port;
        peer = enet_host_connect(host, &address, Online::Protocol::CHANNELS, 0);
    }
    ~RawPeer()
    {
        enet_peer_reset(peer);
        enet_host_destroy(host);
    }

    void service()
    {
        ENetEvent event;
        while (enet_host_service(host, &event, 0) > 0) {
            if (event.type == ENET_EVENT_TYPE_CONNECT) {
                connected = true;
            } else if (event.type == ENET_EVENT_TYPE_DISCONNECT) {
                disconnected = true;
            } else if (event.type == ENET_EVENT_TYPE_RECEIVE) {
                Online::Message message;
                std::string error;
                if (Online::MessageCodec::decode(event.packet->data, event.packet->dataLength,
                                                 Online::Protocol::MAX_SERVER_MESSAGE, message,
                                                 error)) {
                    received.push_back(message);
                }
                enet_packet_destroy(event.packet);
            }
        }
    }

    void send(const std::vector<std::uint8_t>& bytes)
    {
        enet_peer_send(peer, 0,
                       enet_packet_create(bytes.data(), bytes.size(), ENET_PACKET_FLAG_RELIABLE));
        enet_host_flush(host);
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
    ENetHost* host;
    ENetPeer* peer;
};
