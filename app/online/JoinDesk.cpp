#include "JoinDesk.h"

#include <algorithm>
#include <utility>

namespace Online {

JoinDesk::JoinDesk(std::string password, int maxClients, int mostPeople, double reconnectWindow)
    : password(std::move(password)), maxClients(maxClients), mostPeople(mostPeople),
      reconnectWindow(reconnectWindow)
{
}

std::string JoinDesk::admit(const Message& hello, int clients, int seats, double now, Identity& who,
                            RefusalCode& code)
{
    if (hello.version != Protocol::VERSION) {
        code = RefusalCode::MISMATCH;
        return "Mismatch: this server speaks protocol " + std::to_string(Protocol::VERSION) +
               ", the client " + std::to_string(hello.version);
    }
    // A token of a vanished client brings its seats back, whatever seats
    // the HELLO asks for.
    const auto absent = std::find_if(absents.begin(), absents.end(), [&](const Absent& a) {
        return hello.token != 0 && a.who.token == hello.token && now < a.until;
    });
    const int wanted = absent != absents.end() ? absent->who.seats : hello.seats;
    if (wanted < 1 || wanted > Protocol::MAX_LOCAL_SEATS) {
        code = RefusalCode::BAD_REQUEST;
        return "a client takes 1 to " + std::to_string(Protocol::MAX_LOCAL_SEATS) + " seats";
    }
    if (!roomFor(clients, seats, wanted)) {
        code = RefusalCode::FULL;
        return "Full: " + std::to_string(seats) + " of " + std::to_string(mostPeople) +
               " seats and " + std::to_string(clients) + " of " + std::to_string(maxClients) +
               " clients taken";
    }
    if (absent != absents.end()) {
        who = absent->who;
        who.back = true;
    } else {
        who.name = hello.text.empty() ? "player" : hello.text;
        who.seats = wanted;
        who.token = PasswordProof::randomToken();
        who.order = nextOrder++;
        who.back = false;
    }
    return std::string();
}

bool JoinDesk::roomFor(int clients, int seats, int wanted) const
{
    return clients < maxClients && seats + wanted <= mostPeople;
}

void JoinDesk::settle(const Identity& who)
{
    absents.erase(std::remove_if(absents.begin(), absents.end(),
                                 [&](const Absent& a) { return a.who.token == who.token; }),
                  absents.end());
}

bool JoinDesk::proofHolds(const PasswordProof::Nonce& nonce,
                          const PasswordProof::Proof& proof) const
{
    return PasswordProof::matches(PasswordProof::answer(password, nonce), proof);
}

void JoinDesk::remember(const Identity& who, double now)
{
    absents.push_back(Absent{who, now + reconnectWindow});
}

void JoinDesk::forgetExpired(double now)
{
    absents.erase(std::remove_if(absents.begin(), absents.end(),
                                 [now](const Absent& a) { return now >= a.until; }),
                  absents.end());
}

} // namespace Online
