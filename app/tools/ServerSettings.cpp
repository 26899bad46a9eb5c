#include "ServerSettings.h"

#include <ctime>
#include <stdexcept>

#include "CFG/CFG.h"
#include "app/match/MatchOptions.h"
#include "app/match/MatchSettings.h"

namespace Tool {

namespace {

constexpr int MAX_PORT = 65535;
constexpr int DEFAULT_MAX_CLIENTS = 16;
constexpr double DEFAULT_START_WAIT = 10;

// A number setting, or fallback when the key is unset or empty.
template <typename T>
T numberOr(const char* key, T fallback)
{
    return CFG::get(key).empty() ? fallback : CFG::parser()->getNumber<T>(key);
}

} // namespace

Online::ServerOptions ServerSettings::read()
{
    Online::ServerOptions options;
    const int port = numberOr<int>("PORT", Online::Protocol::DEFAULT_PORT);
    if (port < 0 || port > MAX_PORT) {
        throw std::invalid_argument("PORT == " + std::to_string(port) +
                                    " is no port: use 1 to 65535, or 0 for any free one");
    }
    options.port = static_cast<std::uint16_t>(port);
    options.bindHost = CFG::get("BIND_ADDRESS").empty() ? "0.0.0.0" : CFG::get("BIND_ADDRESS");
    const int clients = numberOr<int>("MAX_CLIENTS", DEFAULT_MAX_CLIENTS);
    options.maxClients =
        clients < 1
            ? 1
            : (clients > Online::Protocol::MAX_PEOPLE ? Online::Protocol::MAX_PEOPLE : clients);
    options.password = CFG::get("PASSWORD");
    options.startWait = numberOr<float>("START_WAIT", static_cast<float>(DEFAULT_START_WAIT));
    if (options.startWait < 0) {
        options.startWait = 0;
    }
    options.statusFile = CFG::get("STATUS_FILE");
    options.setup = MatchSettings::shape();
    options.setup.colors = MatchOptions::readColors(options.setup.playerCount);
    options.setup.turnChance = numberOr<int>("TURN_CHANCE", 0);
    const float moveTime = CFG::parser()->getNumber<float>("MOVE_TIME");
    if (!(moveTime > 0)) {
        throw std::invalid_argument("MOVE_TIME == " + CFG::get("MOVE_TIME") +
                                    " cannot pace a server: give the milliseconds of a step, "
                                    "above 0");
    }
    options.moveTime = moveTime / 1000.0;
    const unsigned int seed = numberOr<unsigned int>("GAME_SEED", 0);
    options.seed = seed != 0 ? seed : static_cast<std::uint32_t>(std::time(nullptr));
    return options;
}

} // namespace Tool
