#include "ClientRoster.h"

#include <algorithm>

namespace Online {

ServerClient& ClientRoster::add(PeerId peer, double now, int rateLimit)
{
    std::unique_ptr<ServerClient> client(new ServerClient());
    client->peer = peer;
    client->connectedAt = now;
    client->rate = RateLimit(rateLimit);
    ServerClient& added = *client;
    clients[peer] = std::move(client);
    return added;
}

ServerClient* ClientRoster::find(PeerId peer)
{
    const auto found = clients.find(peer);
    return found == clients.end() ? nullptr : found->second.get();
}

void ClientRoster::remove(PeerId peer)
{
    clients.erase(peer);
}

std::vector<ServerClient*> ClientRoster::all() const
{
    std::vector<ServerClient*> every;
    for (const auto& entry : clients) {
        every.push_back(entry.second.get());
    }
    return every;
}

int ClientRoster::joinedCount() const
{
    return static_cast<int>(inOrder(false).size());
}

int ClientRoster::seatCount() const
{
    int seats = 0;
    for (const ServerClient* client : inOrder(false)) {
        seats += client->who.seats;
    }
    return seats;
}

int ClientRoster::readyCount() const
{
    return static_cast<int>(inOrder(true).size());
}

std::vector<ServerClient*> ClientRoster::inOrder(bool readyOnly) const
{
    std::vector<ServerClient*> joined;
    for (const auto& entry : clients) {
        if (entry.second->joined() && (!readyOnly || entry.second->ready)) {
            joined.push_back(entry.second.get());
        }
    }
    std::sort(joined.begin(), joined.end(), [](const ServerClient* a, const ServerClient* b) {
        return a->who.order < b->who.order;
    });
    return joined;
}

Message ClientRoster::lobby(bool running, const I_Transport& transport) const
{
    Message lobby;
    lobby.type = MessageType::LOBBY;
    lobby.flag = running;
    for (const ServerClient* client : inOrder(false)) {
        LobbyEntry entry;
        entry.name = client->who.name;
        entry.pingMs =
            static_cast<std::uint16_t>(std::clamp(transport.roundTripMs(client->peer), 0, 65535));
        entry.ready = client->ready;
        entry.seats = static_cast<std::uint8_t>(client->who.seats);
        lobby.lobby.push_back(entry);
    }
    return lobby;
}

int ClientRoster::seatReady(int playerCount, std::vector<std::string>& names)
{
    names.assign(static_cast<std::size_t>(playerCount), std::string());
    int people = 0;
    for (ServerClient* client : inOrder(true)) {
        client->players.clear();
        for (int k = 0; k < client->who.seats && people < playerCount; ++k) {
            names[static_cast<std::size_t>(people)] = client->who.name;
            client->players.push_back(people++);
        }
        client->ready = false;
    }
    return people;
}

} // namespace Online
