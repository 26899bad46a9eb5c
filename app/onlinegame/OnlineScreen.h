#pragma once

#include <string>
#include <vector>

#include "Util/RGBA.h"

namespace Tool {

// What an online client shows in words, as plain values: the online logic
// state fills it from its session every frame, the words view reads it. Kept
// apart from the session so that the view needs no network code.
struct OnlineScreen {
    enum Phase { CONNECTING, LOBBY, MATCH, REFUSED, LOST, LEFT };

    // One client connected to the server, as the lobby lists it.
    struct Client {
        std::string name;
        int pingMs = 0;
        bool ready = false;
    };

    Phase phase = CONNECTING;
    // "host:port" as joined.
    std::string server;
    // Why the server refused or was lost.
    std::string reason;
    std::vector<Client> clients;
    // Whether this client said it is ready.
    bool ready = false;
    // A match runs on the server without this client (it joined during it).
    bool running = false;
    // Per player number of the current (or last) match: the name of who
    // plays it, its wins on this server and its colour (empty: white).
    std::vector<std::string> names;
    std::vector<int> wins;
    std::vector<Util::RGBA> colors;
    // The last match's result ("DRAW", "WIN=" + player), empty before one.
    std::string result;
    // The leave key's name; empty when none is set.
    std::string leaveName;
    // The player numbers this window steers in the current (or last)
    // match, and whether all of them are out of the match running.
    std::vector<int> mine;
    bool mineOut = false;
};

} // namespace Tool
