#include "SettingsCheck.h"

#include <functional>
#include <sstream>
#include <stdexcept>

#include "CFG/CFG.h"
#include "Util/StringHelpers.h"
#include "app/OnlineAddress.h"
#include "app/match/MatchOptions.h"
#include "app/match/MatchSettings.h"
#define GAME_MAIN_NO_ENTRY
#include "Game/GAME_MAIN"

namespace Tool {

namespace {

// How a number setting is read: the conversion decides which texts it
// refuses ("0x20" is no decimal number, "1.5" is a whole one).
enum class Kind { WHOLE, DECIMAL, UNSIGNED, UNSIGNED_LONG };

struct NumberSetting {
    const char* key;
    Kind kind;
};

// Number settings the framework's start-up and the match read, in the
// order they are read; the arena's and the options' are checked apart.
const NumberSetting NUMBERS[] = {
    {"FRAME_SKIP", Kind::WHOLE},
    {"FRAME_RATE", Kind::WHOLE},
    {"BASE_SCREEN_HEIGHT", Kind::WHOLE},
    {"BASE_SCREEN_WIDTH", Kind::WHOLE},
    {"GAME_SPEED", Kind::DECIMAL},
    {"CLEAR_COLOR", Kind::UNSIGNED_LONG},
    {"SCREEN_HEIGHT", Kind::WHOLE},
    {"SCREEN_WIDTH", Kind::WHOLE},
    {"FOV", Kind::DECIMAL},
    {"MAX_Z", Kind::DECIMAL},
    {"MIN_Z", Kind::DECIMAL},
    {"FRAME_LIMIT", Kind::DECIMAL},
    {"MOVE_TIME", Kind::DECIMAL},
    {"FLASH_TIME", Kind::DECIMAL},
    {"GAME_SEED", Kind::UNSIGNED},
    {"TURN_CHANCE", Kind::WHOLE},
    {"COUNTDOWN", Kind::DECIMAL},
    {"JOY_P1", Kind::WHOLE},
    {"JOY_P2", Kind::WHOLE},
    {"JOY_P3", Kind::WHOLE},
    {"JOY_P4", Kind::WHOLE},
    {"JOY_DEADZONE", Kind::DECIMAL},
};

void readNumber(const NumberSetting& setting)
{
    const CFG::InfoParser* parser = CFG::parser();
    switch (setting.kind) {
    case Kind::WHOLE:
        parser->getNumber<int>(setting.key);
        break;
    case Kind::DECIMAL:
        parser->getNumber<float>(setting.key);
        break;
    case Kind::UNSIGNED:
        parser->getNumber<unsigned int>(setting.key);
        break;
    case Kind::UNSIGNED_LONG:
        parser->getNumber<unsigned long>(setting.key);
        break;
    }
}

// Runs one check; a throw is a refusal, a line on the limits stream a
// limit. Returns whether the value passed without refusal.
bool check(const std::string& key, const std::function<void(std::ostream&)>& body,
           std::vector<SettingsCheck::Problem>& problems)
{
    std::ostringstream limits;
    try {
        body(limits);
    } catch (const std::exception& error) {
        problems.push_back({key, error.what(), true});
        return false;
    }
    std::string message = limits.str();
    if (!message.empty()) {
        problems.push_back({key, Util::trim(message, " \t\n\r"), false});
    }
    return true;
}

} // namespace

std::vector<SettingsCheck::Problem> SettingsCheck::run()
{
    std::vector<Problem> problems;
    for (const NumberSetting& setting : NUMBERS) {
        check(
            setting.key, [&](std::ostream&) { readNumber(setting); }, problems);
    }
    // The volume is read only when there is sound to play.
    if (CFG::parser()->getBool("SOUND")) {
        check(
            "SOUND_VOLUME", [](std::ostream&) { CFG::parser()->getNumber<int>("SOUND_VOLUME"); },
            problems);
    }
    for (const auto* entry = Game::StartUp::PUBLISHED_ABILITIES; entry->name != nullptr; ++entry) {
        const std::string key = std::string("INFO_") + entry->name;
        check(
            key, [&](std::ostream&) { Util::strToNum<int>(CFG::get(key)); }, problems);
    }
    int width = 0;
    int height = 0;
    const bool arenaKnown =
        check(
            "GRID_WIDTH", [&](std::ostream&) { width = MatchSettings::gridSide("GRID_WIDTH"); },
            problems) &
        check(
            "GRID_HEIGHT", [&](std::ostream&) { height = MatchSettings::gridSide("GRID_HEIGHT"); },
            problems);
    int players = MatchSetup::MIN_PLAYERS;
    if (arenaKnown) {
        check(
            "NUM_PLAYERS",
            [&](std::ostream&) { players = MatchSettings::playerCount(width, height); }, problems);
    }
    // Every seat's level is checked, as the game does before its window
    // opens, human or not.
    check(
        "AI_LEVEL", [](std::ostream&) { MatchSettings::readLevel("AI_LEVEL"); }, problems);
    for (int seat = 1; seat <= players; ++seat) {
        const std::string key = "AI_LEVEL_P" + std::to_string(seat);
        if (!CFG::get(key).empty()) {
            check(
                key, [&](std::ostream&) { MatchSettings::readLevel(key); }, problems);
        }
    }
    check(
        "PLAYER_COLORS", [&](std::ostream&) { MatchOptions::readColors(players); }, problems);
    check(
        "HUMAN_PLAYERS", [&](std::ostream& limits) { MatchOptions::readHumans(players, limits); },
        problems);
    // An online client's server, read as the game reads it at start-up.
    if (!CFG::get("CONNECT").empty()) {
        check(
            "CONNECT", [](std::ostream&) { OnlineAddress::fromSettings(); }, problems);
    }
    return problems;
}

} // namespace Tool
