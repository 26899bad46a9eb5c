#include "MatchSetup.h"

namespace Tool {

namespace {

std::string outside(const char* what, long value, long low, long high)
{
    return std::string(what) + " " + std::to_string(value) + " is outside " + std::to_string(low) +
           " to " + std::to_string(high);
}

} // namespace

std::string MatchSetup::problem() const
{
    if (gridWidth < MIN_GRID_SIDE || gridWidth > MAX_GRID_SIDE) {
        return outside("grid width", gridWidth, MIN_GRID_SIDE, MAX_GRID_SIDE);
    }
    if (gridHeight < MIN_GRID_SIDE || gridHeight > MAX_GRID_SIDE) {
        return outside("grid height", gridHeight, MIN_GRID_SIDE, MAX_GRID_SIDE);
    }
    // Every player needs a free cell to start on.
    const long freeCells = static_cast<long>(gridWidth - 2) * (gridHeight - 2);
    if (playerCount < MIN_PLAYERS || playerCount > freeCells) {
        return outside("player count", playerCount, MIN_PLAYERS, freeCells);
    }
    const int mostHumans = playerCount < MAX_HUMANS ? playerCount : MAX_HUMANS;
    if (humans < 0 || humans > mostHumans) {
        return outside("people's seats", humans, 0, mostHumans);
    }
    if (levels.size() != static_cast<std::size_t>(playerCount)) {
        return "levels for " + std::to_string(levels.size()) + " of " +
               std::to_string(playerCount) + " players";
    }
    for (int level : levels) {
        if (level < 0 || level > MAX_LEVEL) {
            return outside("computer-player level", level, 0, MAX_LEVEL);
        }
    }
    if (!colors.empty() && colors.size() != static_cast<std::size_t>(playerCount)) {
        return "colours for " + std::to_string(colors.size()) + " of " +
               std::to_string(playerCount) + " players";
    }
    return std::string();
}

} // namespace Tool
