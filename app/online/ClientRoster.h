#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "I_Transport.h"
#include "JoinDesk.h"
#include "Message.h"
#include "PasswordProof.h"
#include "RateLimit.h"

namespace Online {

// What the server knows of one connected peer: before HELLO, waiting for
// the password proof, joined (its identity known), or on its way out.
struct ServerClient {
    enum class Stage { HELLO, PROOF, JOINED, GONE };
    PeerId peer = 0;
    Stage stage = Stage::HELLO;
    JoinDesk::Identity who;
    bool ready = false;
    PasswordProof::Nonce nonce{};
    double connectedAt = 0;
    double fullStateAt = -1e9;
    // Player numbers held in the running match; empty when not seated.
    std::vector<int> players;
    int malformed = 0;
    RateLimit rate;

    bool joined() const { return stage == Stage::JOINED; }
};

// The server's connected peers, found by their transport's number, and what the
// lobby and a match start need of them: counts, the joined in seat order,
// the lobby as a message, the seats handed out. Owns the records.
class ClientRoster {
public:
    ServerClient& add(PeerId peer, double now, int rateLimit);
    // Null for a peer not (or no longer) on the roster.
    ServerClient* find(PeerId peer);
    void remove(PeerId peer);
    bool empty() const { return clients.empty(); }
    std::vector<ServerClient*> all() const;

    int joinedCount() const;
    int seatCount() const;
    int readyCount() const;
    // The joined (only the ready ones when readyOnly) in seat order.
    std::vector<ServerClient*> inOrder(bool readyOnly) const;
    // LOBBY: every joined client with its ping (as transport measures it),
    // ready flag and seats.
    Message lobby(bool running, const I_Transport& transport) const;
    // Seats the ready clients in order from player 0 on, one player per
    // seat, and clears their ready flags: names gets each person's name at
    // its player number (playerCount long); returns the people seated.
    int seatReady(int playerCount, std::vector<std::string>& names);

private:
    std::map<PeerId, std::unique_ptr<ServerClient>> clients;
};

} // namespace Online
