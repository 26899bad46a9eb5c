#include "SettingRules.h"

#include <sstream>
#include <stdexcept>

#include "CFG/CFG.h"
#include "CFG/SettingNumber.h"
#include "Devices/KeyboardStrings.h"
#include "Game/FrameLimiter.h"
#include "NearestName.h"
#include "RuleRun.h"
#include "ServerSettings.h"
#include "Util/StringHelpers.h"
#include "app/input/MatchOptions.h"
#include "app/input/MatchSettings.h"
#include "app/input/PadControl.h"
#include "app/online/Protocol.h"
#include "app/onlinegame/OnlineAddress.h"
#include "app/replay/Replay.h"
#include "app/sound/SoundChoice.h"
#define GAME_MAIN_NO_ENTRY
#include "Game/GAME_MAIN"

namespace Tool {

namespace {

using Rule = SettingRule;
using Notes = std::ostream;

const char* const SEAT = "<n>";

// A family's key around its hole ("<n>" for a seat's number, "<name>" for
// an ability's name).
struct Hole {
    std::string before;
    std::string after;
    bool seat = false;
};

// False for a plain key.
bool holeOf(const std::string& key, Hole& hole)
{
    const std::size_t open = key.find('<');
    const std::size_t close = key.find('>', open);
    if (open == std::string::npos || close == std::string::npos) {
        return false;
    }
    hole.before = key.substr(0, open);
    hole.after = key.substr(close + 1);
    hole.seat = key.compare(open, close + 1 - open, SEAT) == 0;
    return true;
}

std::string fill(const std::string& key, const std::string& member)
{
    Hole hole;
    return holeOf(key, hole) ? hole.before + member + hole.after : key;
}

template <typename T>
void number(const Rule& rule, RuleRun& run)
{
    run.judge(rule.key, [&](Notes&) { CFG::SettingNumber::read<T>(rule.key, CFG::get(rule.key)); });
}

// Truth values are yes only for exactly "YES", "Y" or "1"; a value that is
// plainly neither is said, since "yes" or "true" reads as no.
void truth(const Rule& rule, RuleRun& run)
{
    run.judge(rule.key, [&](Notes& notes) {
        const std::string text = Util::trim(CFG::get(rule.key));
        for (const char* known : {"", "YES", "Y", "1", "NO", "N", "0"}) {
            if (text == known) {
                return;
            }
        }
        notes << rule.key << ": not a truth value: " << text << " (YES, Y or 1; NO): using NO\n";
    });
}

// The names of the keys the keyboard raises, for hints.
std::vector<std::string> raisedKeyNames()
{
    std::vector<std::string> names;
    const auto& mapping = Devices::KeyboardStrings::instance().keyMapping();
    for (int code = 1; code < 256; ++code) {
        if (MatchOptions::keyboardRaises(static_cast<unsigned char>(code))) {
            names.push_back(mapping.getValue(static_cast<unsigned char>(code)));
        }
    }
    return names;
}

void keyNameOf(const std::string& key, RuleRun& run)
{
    run.judge(key, [&](Notes& notes) {
        const std::string name = CFG::get(key);
        if (name.empty() || MatchOptions::isKeyName(name)) {
            return;
        }
        static const std::vector<std::string> NAMES = raisedKeyNames();
        notes << key << ": not a key name: " << name << NearestName::hint(name, NAMES) << '\n';
    });
}

void keyName(const Rule& rule, RuleRun& run)
{
    keyNameOf(rule.key, run);
}

// Every member of a family of key names, one judgement each.
void keyNames(const Rule& rule, RuleRun& run)
{
    for (int n = rule.lowest; n <= rule.highest; ++n) {
        keyNameOf(rule.keyFor(n), run);
    }
}

void nothing(const Rule&, RuleRun&) {}

void frameLimit(const Rule& rule, RuleRun& run)
{
    run.judge(rule.key, [](Notes&) { Game::FrameLimiter::fromSettings(); });
}

void abilities(const Rule& rule, RuleRun& run)
{
    for (const auto* entry = Game::StartUp::PUBLISHED_ABILITIES; entry->name != nullptr; ++entry) {
        const std::string key = fill(rule.key, entry->name);
        run.judge(key, [&](Notes&) { CFG::SettingNumber::read<int>(key, CFG::get(key)); });
    }
}

// Judged whenever it is set, though read only when there is sound to play:
// a volume out of range is said before the sound is switched on.
void volume(const Rule& rule, RuleRun& run)
{
    run.judge(rule.key, [](Notes& notes) { soundVolume(notes); });
}

bool online()
{
    return !CFG::get("CONNECT").empty();
}

void connect(const Rule& rule, RuleRun& run)
{
    if (online()) {
        run.judge(rule.key, [](Notes&) { OnlineAddress::fromSettings(); });
    }
}

void name(const Rule& rule, RuleRun& run)
{
    if (!online()) {
        return;
    }
    run.judge(rule.key, [&](Notes& notes) {
        const std::string text = CFG::get(rule.key);
        if (text.size() > Online::Protocol::MAX_NAME) {
            notes << rule.key << ": too long: " << text << " (at most "
                  << Online::Protocol::MAX_NAME << " characters): using "
                  << text.substr(0, Online::Protocol::MAX_NAME) << '\n';
        }
    });
}

void pads(const Rule& rule, RuleRun& run)
{
    for (int n = rule.lowest; n <= rule.highest; ++n) {
        run.judge(rule.keyFor(n), [&](Notes& notes) { PadControl::padSetting(n - 1, notes); });
    }
}

void deadZone(const Rule& rule, RuleRun& run)
{
    run.judge(rule.key, [](Notes& notes) { PadControl::deadZoneSetting(notes); });
}

void gridSide(const Rule& rule, RuleRun& run)
{
    int& side = std::string(rule.key) == "GRID_WIDTH" ? run.gridWidth : run.gridHeight;
    if (!run.judge(rule.key,
                   [&](Notes& notes) { side = MatchSettings::gridSide(rule.key, notes); })) {
        run.arenaKnown = false;
    }
}

void players(const Rule& rule, RuleRun& run)
{
    run.players = MatchSetup::MIN_PLAYERS;
    if (run.arenaKnown) {
        run.judge(rule.key, [&](Notes& notes) {
            run.players = MatchSettings::playerCount(run.gridWidth, run.gridHeight, notes);
        });
    }
}

void replay(const Rule& rule, RuleRun& run)
{
    run.judge(rule.key, [](Notes&) { MatchSettings::replay(); });
}

// The game records nothing and plays on; the simulator, which plays to
// record, stops.
void recordFolder(const Rule& rule, RuleRun& run)
{
    run.judge(rule.key, [&](Notes& notes) {
        std::ostringstream said;
        MatchSettings::recordFolder(said);
        if (!said.str().empty() && run.program == Rule::SIMULATOR) {
            throw std::invalid_argument(Util::trim(said.str()));
        }
        notes << said.str();
    });
}

void level(const Rule& rule, RuleRun& run)
{
    run.judge(rule.key, [&](Notes&) { MatchSettings::readLevel(rule.key); });
}

// Every seat's level is checked, as the game does before its window opens,
// human or not.
void seatLevels(const Rule& rule, RuleRun& run)
{
    for (int seat = rule.lowest; seat <= run.players; ++seat) {
        const std::string key = rule.keyFor(seat);
        if (!CFG::get(key).empty()) {
            run.judge(key, [&](Notes&) { MatchSettings::readLevel(key); });
        }
    }
}

void colors(const Rule& rule, RuleRun& run)
{
    run.judge(rule.key, [&](Notes&) { MatchOptions::readColors(run.players); });
}

// Online, the people at this keyboard take up to four seats of the server's.
void humans(const Rule& rule, RuleRun& run)
{
    const int seats = online() ? MatchOptions::MAX_HUMANS : run.players;
    run.judge(rule.key, [&](Notes& notes) { MatchOptions::readHumans(seats, notes); });
}

void countdown(const Rule& rule, RuleRun& run)
{
    run.judge(rule.key, [](Notes& notes) { MatchOptions::readCountdown(notes); });
}

// The game takes any step time; a server needs a pace.
void moveTime(const Rule& rule, RuleRun& run)
{
    if (run.program == Rule::SERVER) {
        run.judge(rule.key, [](Notes&) { ServerSettings::moveTime(); });
    } else {
        number<float>(rule, run);
    }
}

void arenaDrawing(const Rule& rule, RuleRun& run)
{
    run.judge(rule.key, [&](Notes& notes) {
        const std::string text = CFG::get(rule.key);
        if (!text.empty() && text != "TEXTURE") {
            notes << rule.key << ": not a drawing: " << text
                  << " (TEXTURE; anything else: squares): using squares\n";
        }
    });
}

void port(const Rule& rule, RuleRun& run)
{
    run.judge(rule.key, [](Notes&) { ServerSettings::port(); });
}

void maxClients(const Rule& rule, RuleRun& run)
{
    run.judge(rule.key, [](Notes& notes) { ServerSettings::maxClients(notes); });
}

void startWait(const Rule& rule, RuleRun& run)
{
    run.judge(rule.key, [](Notes& notes) { ServerSettings::startWait(notes); });
}

constexpr unsigned GAME = Rule::GAME;
constexpr unsigned SIM = Rule::SIMULATOR;
constexpr unsigned SIM_SETS = Rule::SIMULATOR_SETS;
constexpr unsigned SERVER = Rule::SERVER;
constexpr unsigned CLASSIC = Rule::CLASSIC;
constexpr unsigned PATH = Rule::PATH;
// The match's own settings, read by all three programs.
constexpr unsigned MATCH = GAME | SIM | SERVER;

const std::vector<Rule> RULES = {
    // The framework's start-up, in its order.
    {"FRAME_SKIP", GAME | CLASSIC, number<int>},
    {"FRAME_RATE", GAME | CLASSIC, number<int>},
    {"BASE_SCREEN_HEIGHT", GAME | CLASSIC, number<int>},
    {"BASE_SCREEN_WIDTH", GAME | CLASSIC, number<int>},
    {"GAME_SPEED", GAME | CLASSIC, number<float>},
    {"CLEAR_COLOR", GAME | CLASSIC, number<unsigned long>},
    {"FULLSCREEN_ON", GAME | CLASSIC, truth},
    {"SCREEN_HEIGHT", GAME | CLASSIC, number<int>},
    {"SCREEN_WIDTH", GAME | CLASSIC, number<int>},
    {"FRAME_LIMIT", GAME, frameLimit},
    {"IS_3D", GAME | CLASSIC, truth},
    {"VSYNC_ON", GAME | CLASSIC, truth},
    {"FOV", GAME | CLASSIC, number<float>},
    {"MAX_Z", GAME | CLASSIC, number<float>},
    {"MIN_Z", GAME | CLASSIC, number<float>},
    {"INFO_<name>", GAME | CLASSIC, abilities},
    {"GLOBAL_KEYS", GAME | CLASSIC, nothing},
    {"SETTINGS_FILE", 0, nothing},
    // The sound controller, made once the settings are loaded.
    {"SOUND", GAME | SIM, truth},
    {"SOUND_VOLUME", GAME | SIM, volume},
    // The logic states: an online client's, or the title's and the match's.
    {"CONNECT", GAME, connect},
    {"NAME", GAME, name},
    {"PASSWORD", GAME | SERVER, nothing},
    {"JOY_P<n>", GAME, pads, 1, PadControl::MAX_SEATS},
    {"JOY_DEADZONE", GAME, deadZone},
    {"GRID_WIDTH", MATCH | CLASSIC, gridSide},
    {"GRID_HEIGHT", MATCH | CLASSIC, gridSide},
    {"NUM_PLAYERS", MATCH | CLASSIC, players},
    {"REPLAY", GAME | PATH, replay},
    {"RECORD_DIR", GAME | SIM | PATH, recordFolder},
    {"SHOW_TEXT", GAME, truth},
    {"TEXT_BACKING", GAME, truth},
    {"TEXT_FONT", GAME, nothing},
    {"AI_LEVEL", MATCH, level},
    {"AI_LEVEL_P<n>", MATCH, seatLevels, 1},
    {"PLAYER_COLORS", MATCH, colors},
    {"HUMAN_PLAYERS", GAME | SIM_SETS, humans},
    {"TURN_BUFFER", GAME, truth},
    {"KEY_PAUSE", GAME, keyName},
    {"KEY_LEAVE", GAME | SIM_SETS, keyName},
    {"COUNTDOWN", GAME | SIM_SETS, countdown},
    {"FAST_FORWARD", GAME | SIM_SETS, truth},
    {"KEY_P<n>_UP", GAME, keyNames, 2, MatchOptions::MAX_HUMANS},
    {"KEY_P<n>_DOWN", GAME, keyNames, 2, MatchOptions::MAX_HUMANS},
    {"KEY_P<n>_LEFT", GAME, keyNames, 2, MatchOptions::MAX_HUMANS},
    {"KEY_P<n>_RIGHT", GAME, keyNames, 2, MatchOptions::MAX_HUMANS},
    {"TURN_CHANCE", MATCH | CLASSIC, number<int>},
    {"GAME_SEED", MATCH | CLASSIC, number<unsigned int>},
    {"MOVE_TIME", GAME | SIM_SETS | SERVER | CLASSIC, moveTime},
    {"FLASH_TIME", GAME | CLASSIC, number<float>},
    {"ARENA_DRAWING", GAME, arenaDrawing},
    {"KEEP_ASPECT", GAME, truth},
    {"KEY_MOVE_UP", GAME | CLASSIC, keyName},
    {"KEY_MOVE_DOWN", GAME | CLASSIC, keyName},
    {"KEY_MOVE_LEFT", GAME | CLASSIC, keyName},
    {"KEY_MOVE_RIGHT", GAME | CLASSIC, keyName},
    // The dedicated server's own.
    {"PORT", SERVER, port},
    {"BIND_ADDRESS", SERVER, nothing},
    {"MAX_CLIENTS", SERVER, maxClients},
    {"START_WAIT", SERVER, startWait},
    {"STATUS_FILE", SERVER | PATH, nothing},
};

} // namespace

std::string SettingRule::keyFor(int n) const
{
    return fill(key, std::to_string(n));
}

bool SettingRule::isFamily() const
{
    Hole hole;
    return holeOf(key, hole);
}

bool SettingRule::names(const std::string& asked) const
{
    Hole hole;
    if (!holeOf(key, hole)) {
        return asked == key;
    }
    if (asked.size() <= hole.before.size() + hole.after.size() ||
        !Util::startswith(asked, hole.before) || !Util::endswith(asked, hole.after)) {
        return false;
    }
    if (!hole.seat) {
        return true;
    }
    const std::string middle =
        asked.substr(hole.before.size(), asked.size() - hole.before.size() - hole.after.size());
    unsigned long long n = 0;
    // Seat numbers are written without leading zeros, as the game writes them.
    return middle[0] != '0' && Util::readDecimal(middle, 1000000, n) &&
           n >= static_cast<unsigned long long>(lowest) &&
           (highest == 0 || n <= static_cast<unsigned long long>(highest));
}

const std::vector<SettingRule>& settingRules()
{
    return RULES;
}

bool isSettingKey(const std::string& key)
{
    for (const Rule& rule : RULES) {
        if (rule.names(key)) {
            return true;
        }
    }
    return false;
}

std::vector<std::string> settingKeys(unsigned flags)
{
    std::vector<std::string> keys;
    for (const Rule& rule : RULES) {
        if ((rule.flags & flags) != 0) {
            keys.emplace_back(rule.key);
        }
    }
    return keys;
}

const char* const* pathSettings()
{
    static const std::vector<const char*> PATHS = [] {
        std::vector<const char*> keys;
        for (const Rule& rule : RULES) {
            if ((rule.flags & Rule::PATH) != 0) {
                keys.push_back(rule.key);
            }
        }
        keys.push_back(nullptr);
        return keys;
    }();
    return PATHS.data();
}

} // namespace Tool
