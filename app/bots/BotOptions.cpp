#include "BotOptions.h"

#include "Util/StringHelpers.h"
#include "app/players/ComputerPlayers.h"

#include <cstdlib>

namespace Online {

namespace {

// A whole decimal number from low to high, else false.
bool number(const std::string& text, unsigned long low, unsigned long high, unsigned long& value)
{
    unsigned long long read = 0;
    if (!Util::readDecimal(text, high, read) || read < low) {
        return false;
    }
    value = static_cast<unsigned long>(read);
    return true;
}

bool readConnect(const std::string& value, BotOptions& options)
{
    const std::size_t colon = value.rfind(':');
    options.host = value.substr(0, colon);
    if (colon != std::string::npos) {
        unsigned long port = 0;
        if (!number(value.substr(colon + 1), 1, 65535, port)) {
            return false;
        }
        options.port = static_cast<std::uint16_t>(port);
    }
    return !options.host.empty();
}

// Reads one KEY==VALUE into options; false with error set.
bool readOne(const std::string& key, const std::string& value, BotOptions& options)
{
    unsigned long n = 0;
    if (key == "CONNECT") {
        if (!readConnect(value, options)) {
            options.error =
                "CONNECT wants host or host:port (port 1 to 65535), not '" + value + "'";
        }
    } else if (key == "BOTS") {
        options.seats = number(value, 1, Protocol::MAX_LOCAL_SEATS, n) ? static_cast<int>(n) : 0;
        if (options.seats == 0) {
            options.error = "BOTS wants 1 to 4 seats, not '" + value + "'";
        }
    } else if (key == "AI_LEVEL") {
        const int most = Tool::ComputerPlayers::MAX_LEVEL;
        options.level = number(value, 0, most, n) ? static_cast<int>(n) : -1;
        if (options.level < 0) {
            options.error = "AI_LEVEL wants 0 to " + std::to_string(most) + ", not '" + value + "'";
        }
    } else if (key == "MATCHES") {
        if (!number(value, 1, 4294967295ul, options.matches)) {
            options.error = "MATCHES wants 1 or more, not '" + value + "'";
        }
    } else if (key == "SEED") {
        if (number(value, 0, 4294967295ul, n)) {
            options.seed = static_cast<std::uint32_t>(n);
        } else {
            options.error = "SEED wants 0 to 4294967295, not '" + value + "'";
        }
    } else if (key == "NAME") {
        options.name = value;
        if (value.empty() || value.size() > Protocol::MAX_NAME) {
            options.error = "NAME wants 1 to 24 characters";
        }
    } else if (key == "PASSWORD") {
        options.password = value;
    } else {
        options.error = "unknown setting '" + key + "'";
    }
    return options.error.empty();
}

} // namespace

BotOptions BotOptions::parse(const std::vector<std::string>& args)
{
    BotOptions options;
    for (const std::string& arg : args) {
        const std::size_t equals = arg.find("==");
        if (equals == std::string::npos) {
            options.error = "arguments are KEY==VALUE, not '" + arg + "'";
            return options;
        }
        if (!readOne(arg.substr(0, equals), arg.substr(equals + 2), options)) {
            return options;
        }
    }
    if (options.host.empty()) {
        options.error = "CONNECT==host[:port] is required";
    }
    return options;
}

const char* BotOptions::usage()
{
    return "usage: vektra-bot CONNECT==host[:port] [BOTS==1..4] [AI_LEVEL==0..4] [MATCHES==m]\n"
           "                  [NAME==text] [PASSWORD==text] [SEED==n]\n"
           "Joins a Vektra server with BOTS seats steered by the computer players of\n"
           "AI_LEVEL, plays MATCHES matches, leaves and exits 0; exits 1 when it\n"
           "cannot join, loses the server or is stopped early, 2 for unusable arguments.\n";
}

} // namespace Online
