#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/online/Protocol.h"

namespace Online {

// What vektra-bot is told, from KEY==VALUE arguments in the settings'
// own form: CONNECT==host[:port] (required), BOTS==n seats (1 to 4, 1 by
// default), AI_LEVEL==k (0 to 4, 2 by default), MATCHES==m (1 or more, 1
// by default), NAME==text ("bot"), PASSWORD==text (none), SEED==n (1).
struct BotOptions {
    // Exit code for arguments the bot cannot use.
    static constexpr int BAD_OPTION = 2;

    std::string host;
    std::uint16_t port = Protocol::DEFAULT_PORT;
    int seats = 1;
    int level = 2;
    unsigned long matches = 1;
    std::string name = "bot";
    std::string password;
    std::uint32_t seed = 1;
    // Seconds to reach the server and be let in before giving up, and
    // without an answer before the server counts as gone.
    double joinTimeout = 10;
    double timeout = 5;
    // Empty when usable; else what is wrong, for the user.
    std::string error;

    static BotOptions parse(const std::vector<std::string>& args);
    static const char* usage();
};

} // namespace Online
