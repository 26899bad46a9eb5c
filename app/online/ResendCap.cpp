#include "ResendCap.h"

#include <enet/enet.h>

#include <algorithm>

namespace Online {

void ResendCap::apply(ENetHost* host)
{
    if (host == nullptr) {
        return;
    }
    for (ENetPeer* peer = host->peers; peer < host->peers + host->peerCount; ++peer) {
        if (peer->state != ENET_PEER_STATE_CONNECTED &&
            peer->state != ENET_PEER_STATE_DISCONNECT_LATER) {
            continue;
        }
        const enet_uint32 cap = std::clamp<enet_uint32>(2 * peer->roundTripTime, MIN_MS, MAX_MS);
        for (ENetListIterator at = enet_list_begin(&peer->sentReliableCommands);
             at != enet_list_end(&peer->sentReliableCommands); at = enet_list_next(at)) {
            ENetOutgoingCommand* command = reinterpret_cast<ENetOutgoingCommand*>(at);
            command->roundTripTimeout = std::min(command->roundTripTimeout, cap);
        }
    }
}

} // namespace Online
