#pragma once

typedef struct _ENetHost ENetHost;

namespace Online {

// ENet doubles the wait before it sends a lost reliable packet again at
// every loss, without end: at 10 % loss a packet lost six times in a row
// waits seconds, and every step queued behind it on the ordered channel
// waits too (the match freezes, and a peer's timeout may give up). A
// match's stream is small and steady, so a lost packet should go again
// about once a round trip: this caps each pending packet's wait at twice
// the peer's round trip, between MIN_MS and MAX_MS. Called before every
// enet_host_service of a session. It writes the wait ENet keeps in its
// public peer records, nothing else.
struct ResendCap {
    static constexpr unsigned MIN_MS = 40;
    static constexpr unsigned MAX_MS = 500;

    static void apply(ENetHost* host);
};

} // namespace Online
