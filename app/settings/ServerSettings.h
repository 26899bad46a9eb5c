#pragma once

#include <cstdint>
#include <ostream>
#include <string>

#include "app/online/ServerSession.h"

namespace Tool {

// Reads a dedicated server's options from the settings store (vektra.cfg,
// an optional server .cfg and KEY==VALUE arguments, loaded as the game
// loads them):
// - "PORT": the UDP port, default 4040; 0 takes any free port.
// - "BIND_ADDRESS": the IPv4 address to listen on, default 0.0.0.0 (all).
// - "MAX_CLIENTS": clients at once, default 16, limited to 1 to 64.
// - "PASSWORD": unset or empty for an open server.
// - "START_WAIT": seconds a match waits after the first person is ready
//   for the others, default 10; 0 or less waits for everyone.
// - "STATUS_FILE": a file that always holds the status line; unset: none.
// - the match: "GRID_WIDTH", "GRID_HEIGHT", "NUM_PLAYERS", "AI_LEVEL" (and
//   "AI_LEVEL_Pn") for seats no person holds and for people who go away,
//   "PLAYER_COLORS", "TURN_CHANCE", "MOVE_TIME" (milliseconds, above 0),
//   "GAME_SEED" (the first match's generators; 0: from the clock).
// Every message names its setting, as the settings check prints it.
class ServerSettings {
public:
    // Throws std::domain_error for a value the server cannot run with, or
    // a number setting that is no number; limits the rest without a word.
    static Online::ServerOptions read();

    // The pieces of read() that judge a value, on their own for the
    // settings check: each throws for a value the server refuses, and says
    // on notes how it limits one.
    static std::uint16_t port();
    static int maxClients(std::ostream& notes);
    static float startWait(std::ostream& notes);
    // Milliseconds of a step, above 0.
    static float moveTime();
};

} // namespace Tool
