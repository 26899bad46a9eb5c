#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Message.h"
#include "PasswordProof.h"

namespace Online {

// Who may join a server: the protocol version, the seats asked for, room
// for another client and its seats, the password (through the challenge),
// and the tokens of clients that vanished, which bring their name, seats
// and place in the seat order back within the reconnect window. Holds the
// password and the vanished clients' records.
class JoinDesk {
public:
    // A joining client as the server will know it.
    struct Identity {
        std::string name;
        int seats = 0;
        std::uint64_t token = 0;
        // Seats are handed out in this order; a client back keeps its own.
        int order = 0;
        bool back = false;
    };

    JoinDesk(std::string password, int maxClients, int mostPeople, double reconnectWindow);

    // Decides a HELLO while clients clients holding seats seats are in:
    // empty with who filled in, or the refusal's words with code. A token
    // stays good until settle() (a wrong password does not spend it).
    std::string admit(const Message& hello, int clients, int seats, double now, Identity& who,
                      RefusalCode& code);
    // Whether a client with wanted seats still fits (checked again once a
    // password proof has come, since others may have joined meanwhile).
    bool roomFor(int clients, int seats, int wanted) const;
    // who has joined: a token it came back with is spent.
    void settle(const Identity& who);
    bool needsProof() const { return !password.empty(); }
    bool proofHolds(const PasswordProof::Nonce& nonce, const PasswordProof::Proof& proof) const;
    // A joined client vanished: its token stays good for the window.
    void remember(const Identity& who, double now);
    void forgetExpired(double now);

private:
    struct Absent {
        Identity who;
        double until;
    };

    std::string password;
    int maxClients;
    int mostPeople;
    double reconnectWindow;
    int nextOrder = 0;
    std::vector<Absent> absents;
};

} // namespace Online
