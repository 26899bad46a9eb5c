#include "MatchSettings.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string>

#include "CFG/CFG.h"
#include "CFG/SettingNumber.h"
#include "app/replay/Replay.h"

namespace Tool {

namespace {

int readInt(const std::string& key, std::string& text)
{
    text = CFG::get(key);
    return CFG::SettingNumber::read<int>(key, text);
}

std::string gridText(int width, int height)
{
    return std::to_string(width) + " x " + std::to_string(height);
}

// Why no file can be made in folder, or "" when one can.
std::string unwritable(const std::string& folder)
{
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0) {
        return std::strerror(errno);
    }
    if (!S_ISDIR(info.st_mode)) {
        return "not a folder";
    }
    return ::access(folder.c_str(), W_OK | X_OK) == 0 ? "" : std::strerror(errno);
}

} // namespace

int MatchSettings::gridSide(const char* key, std::ostream& notes)
{
    std::string text;
    const int value = readInt(key, text);
    if (value > MatchSetup::MAX_GRID_SIDE) {
        CFG::SettingNumber::refuseRange(key, text,
                                        "at most " + std::to_string(MatchSetup::MAX_GRID_SIDE));
    }
    if (value >= MatchSetup::MIN_GRID_SIDE) {
        return value;
    }
    if (!text.empty()) {
        notes << CFG::SettingNumber::limited(key, text,
                                             std::to_string(MatchSetup::MIN_GRID_SIDE) + " to " +
                                                 std::to_string(MatchSetup::MAX_GRID_SIDE),
                                             std::to_string(MatchSetup::MIN_GRID_SIDE))
              << '\n';
    }
    return MatchSetup::MIN_GRID_SIDE;
}

int MatchSettings::readLevel(const std::string& key)
{
    std::string text;
    const int level = readInt(key, text);
    if (level < 0 || level > MatchSetup::MAX_LEVEL) {
        CFG::SettingNumber::refuseRange(key, text, "0 to " + std::to_string(MatchSetup::MAX_LEVEL));
    }
    return level;
}

MatchSetup MatchSettings::shape()
{
    std::ostream quiet(nullptr);
    MatchSetup setup;
    setup.gridWidth = gridSide("GRID_WIDTH", quiet);
    setup.gridHeight = gridSide("GRID_HEIGHT", quiet);
    setup.playerCount = playerCount(setup.gridWidth, setup.gridHeight, quiet);
    setup.humans = 1;
    setup.levels = levels(setup.playerCount, 0);
    return setup;
}

int MatchSettings::playerCount(int width, int height, std::ostream& notes)
{
    std::string text;
    const int players = readInt("NUM_PLAYERS", text);
    // Every player needs a free cell to start on; more would also overrun
    // the arena view's buffer, which holds one quad per cell.
    const int freeCells = (width - 2) * (height - 2);
    if (players > freeCells) {
        CFG::SettingNumber::refuseRange("NUM_PLAYERS", text,
                                        "at most " + std::to_string(freeCells) +
                                            " players on the " + gridText(width, height) + " grid");
    }
    if (players >= MatchSetup::MIN_PLAYERS) {
        return players;
    }
    if (!text.empty()) {
        notes << CFG::SettingNumber::limited("NUM_PLAYERS", text,
                                             "at least " + std::to_string(MatchSetup::MIN_PLAYERS),
                                             std::to_string(MatchSetup::MIN_PLAYERS))
              << '\n';
    }
    return MatchSetup::MIN_PLAYERS;
}

std::vector<int> MatchSettings::levels(int playerCount, int firstComputer)
{
    std::vector<int> levels(playerCount > 0 ? static_cast<std::size_t>(playerCount) : 0, 0);
    const int common = readLevel("AI_LEVEL");
    for (int player = firstComputer; player < playerCount; ++player) {
        const std::string seatKey = "AI_LEVEL_P" + std::to_string(player + 1);
        levels[player] = CFG::get(seatKey).empty() ? common : readLevel(seatKey);
    }
    return levels;
}

std::unique_ptr<Replay> MatchSettings::replay()
{
    const std::string path = CFG::get("REPLAY");
    if (path.empty()) {
        return nullptr;
    }
    std::unique_ptr<Replay> replay(new Replay());
    std::string error;
    if (!Replay::load(path, *replay, error)) {
        throw std::invalid_argument("REPLAY: " + error);
    }
    return replay;
}

std::string MatchSettings::recordFolder(std::ostream& notes)
{
    const std::string folder = CFG::get("RECORD_DIR");
    if (folder.empty()) {
        return folder;
    }
    const std::string problem = unwritable(folder);
    if (problem.empty()) {
        return folder;
    }
    notes << "RECORD_DIR: cannot write to " << folder << " (" << problem << ")\n";
    return "";
}

} // namespace Tool
