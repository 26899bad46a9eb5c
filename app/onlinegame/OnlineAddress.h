#pragma once

#include <cstdint>
#include <string>

namespace Tool {

// Where an online client joins: "host" or "host:port" ("CONNECT"), host an
// IPv4 address or a name, port 1 to 65535.
struct OnlineAddress {
    std::string host;
    std::uint16_t port = 0;

    // Reads text; false with a one-line reason in error for an empty host,
    // a port that is no number from 1 to 65535, or more than one colon.
    static bool parse(const std::string& text, std::uint16_t defaultPort, OnlineAddress& address,
                      std::string& error);
    // "CONNECT" from the settings, the online protocol's port when it names
    // none. Throws std::invalid_argument, with "CONNECT: " and the reason,
    // for a value parse refuses: the game and the settings check say it alike.
    static OnlineAddress fromSettings();
    std::string text() const { return host + ":" + std::to_string(port); }
};

} // namespace Tool
