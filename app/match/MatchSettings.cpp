#include "MatchSettings.h"

#include <stdexcept>
#include <string>

#include "CFG/CFG.h"

namespace Tool {

namespace {

int readInt(const std::string& key)
{
    return CFG::parser()->getNumber<int>(key);
}

} // namespace

int MatchSettings::gridSide(const char* key)
{
    const int value = readInt(key);
    if (value > MatchSetup::MAX_GRID_SIDE) {
        throw std::invalid_argument(std::string(key) + " == " + std::to_string(value) +
                                    " is too large: at most " +
                                    std::to_string(MatchSetup::MAX_GRID_SIDE) + " cells");
    }
    return value < MatchSetup::MIN_GRID_SIDE ? MatchSetup::MIN_GRID_SIDE : value;
}

int MatchSettings::readLevel(const std::string& key)
{
    const int level = readInt(key);
    if (level < 0 || level > MatchSetup::MAX_LEVEL) {
        throw std::invalid_argument(key + " == " + std::to_string(level) +
                                    " is no computer-player level: use 0 to " +
                                    std::to_string(MatchSetup::MAX_LEVEL));
    }
    return level;
}

MatchSetup MatchSettings::shape()
{
    MatchSetup setup;
    setup.gridWidth = gridSide("GRID_WIDTH");
    setup.gridHeight = gridSide("GRID_HEIGHT");
    setup.playerCount = playerCount(setup.gridWidth, setup.gridHeight);
    setup.humans = 1;
    setup.levels = levels(setup.playerCount, 0);
    return setup;
}

int MatchSettings::playerCount(int width, int height)
{
    int players = readInt("NUM_PLAYERS");
    if (players < MatchSetup::MIN_PLAYERS) {
        players = MatchSetup::MIN_PLAYERS;
    }
    // Every player needs a free cell to start on; more would also overrun
    // the arena view's buffer, which holds one quad per cell.
    const int freeCells = (width - 2) * (height - 2);
    if (players > freeCells) {
        throw std::invalid_argument("NUM_PLAYERS == " + std::to_string(players) +
                                    " is too many for a " + std::to_string(width) + " x " +
                                    std::to_string(height) + " grid: at most " +
                                    std::to_string(freeCells) + " players");
    }
    return players;
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

} // namespace Tool
