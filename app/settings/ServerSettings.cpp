#include "ServerSettings.h"

#include <ctime>

#include "CFG/CFG.h"
#include "CFG/SettingNumber.h"
#include "app/input/MatchOptions.h"
#include "app/input/MatchSettings.h"

namespace Tool {

namespace {

constexpr int MAX_PORT = 65535;
constexpr int DEFAULT_MAX_CLIENTS = 16;
constexpr float DEFAULT_START_WAIT = 10;

// A number setting, or fallback when the key is unset or empty; text is
// what it holds.
template <typename T>
T numberOr(const char* key, T fallback, std::string& text)
{
    text = CFG::get(key);
    return text.empty() ? fallback : CFG::SettingNumber::read<T>(key, text);
}

} // namespace

std::uint16_t ServerSettings::port()
{
    std::string text;
    const int port = numberOr<int>("PORT", Online::Protocol::DEFAULT_PORT, text);
    if (port < 0 || port > MAX_PORT) {
        CFG::SettingNumber::refuseRange("PORT", text,
                                        "1 to " + std::to_string(MAX_PORT) + "; 0: any free port");
    }
    return static_cast<std::uint16_t>(port);
}

int ServerSettings::maxClients(std::ostream& notes)
{
    std::string text;
    const int asked = numberOr<int>("MAX_CLIENTS", DEFAULT_MAX_CLIENTS, text);
    return CFG::SettingNumber::clamp("MAX_CLIENTS", text, asked, 1, Online::Protocol::MAX_PEOPLE,
                                     notes);
}

float ServerSettings::startWait(std::ostream& notes)
{
    std::string text;
    const float asked = numberOr<float>("START_WAIT", DEFAULT_START_WAIT, text);
    if (asked < 0) {
        notes << CFG::SettingNumber::limited("START_WAIT", text, "0 and more", "0") << '\n';
        return 0;
    }
    return asked;
}

float ServerSettings::moveTime()
{
    const std::string text = CFG::get("MOVE_TIME");
    const float moveTime = CFG::SettingNumber::read<float>("MOVE_TIME", text);
    if (!(moveTime > 0)) {
        CFG::SettingNumber::refuseRange("MOVE_TIME", text, "above 0: a server needs a pace");
    }
    return moveTime;
}

Online::ServerOptions ServerSettings::read()
{
    std::ostream quiet(nullptr);
    Online::ServerOptions options;
    options.port = port();
    options.bindHost = CFG::get("BIND_ADDRESS").empty() ? "0.0.0.0" : CFG::get("BIND_ADDRESS");
    options.maxClients = maxClients(quiet);
    options.password = CFG::get("PASSWORD");
    options.startWait = startWait(quiet);
    options.statusFile = CFG::get("STATUS_FILE");
    options.setup = MatchSettings::shape();
    options.setup.colors = MatchOptions::readColors(options.setup.playerCount);
    std::string text;
    options.setup.turnChance = numberOr<int>("TURN_CHANCE", 0, text);
    options.moveTime = moveTime() / 1000.0;
    const unsigned int seed = numberOr<unsigned int>("GAME_SEED", 0, text);
    options.seed = seed != 0 ? seed : static_cast<std::uint32_t>(std::time(nullptr));
    return options;
}

} // namespace Tool
