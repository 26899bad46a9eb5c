// How full each computer-player level fills a region it is alone in, played
// by the real match model and players (Tool::Match and its computer
// players, one decision per step as in the game).
//
// Regions: a square box of side S (inner cells) inside the wall; each box
// cell is an obstacle with chance P; the player starts on a free cell drawn
// at random, heading a random way; the region is the free cells connected to
// that cell (4-neighbours); every other box cell is walled. A region whose
// size falls outside the set's range is drawn again. Everything comes from
// one std::mt19937 seeded with the set's seed, so every run plays the same
// regions.
//   small: S from 5 to 8, P from 0.10 to 0.40, 10 to 40 cells (with the
//          start): compared with the exact best, the longest self-avoiding
//          walk from the start, found by exhaustive search.
//   large: S from 12 to 24, P from 0.05 to 0.30, 41 to 576 cells: compared
//          with the checkerboard bound: a walk alternates colours, so from a
//          start of colour c it enters at most min(2 n', 2 n + 1) cells, n'
//          the free cells of the other colour and n those of colour c.
//
// The one rule that would end the match early (one survivor wins) is kept
// out of the way by a second player, a person's seat steered by its inputs
// along every row of its own walled pocket of (S + 1) x S cells, which
// outlasts any region of the box.
//
// Usage: vektra_endgame_fill [REGIONS_PER_SET] (default 1000)

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <random>
#include <vector>

#include "app/match/Headings.h"
#include "app/match/Match.h"
#include "app/players/ComputerPlayers.h"

namespace {

using Tool::Match;

struct RegionSet {
    const char* name;
    int minSide, maxSide;
    double minObstacles, maxObstacles;
    int minCells, maxCells;
    unsigned seed;
};

const RegionSet SMALL{"small", 5, 8, 0.10, 0.40, 10, 40, 2026};
const RegionSet LARGE{"large", 12, 24, 0.05, 0.30, 41, 576, 4052};

// One region: its box's free cells (row by row, side x side), the start.
struct Region {
    int side = 0;
    std::vector<char> free;
    int start = 0;
    int heading = 0;
    int cells = 0; // with the start
};

// The cells connected to from (which counts whether free or not) through
// free cells of a side x side box.
std::vector<int> component(int side, const std::vector<char>& free, int from)
{
    std::vector<int> cells{from};
    std::vector<char> seen(free.size(), 0);
    seen[from] = 1;
    for (std::size_t k = 0; k < cells.size(); ++k) {
        const int x = cells[k] % side;
        const int y = cells[k] / side;
        for (int h = 0; h < 4; ++h) {
            const int nx = x + Tool::STEP_X[h];
            const int ny = y + Tool::STEP_Y[h];
            const int n = ny * side + nx;
            if (nx >= 0 && ny >= 0 && nx < side && ny < side && free[n] && !seen[n]) {
                seen[n] = 1;
                cells.push_back(n);
            }
        }
    }
    return cells;
}

Region drawRegion(const RegionSet& set, std::mt19937& random)
{
    for (;;) {
        Region region;
        region.side = std::uniform_int_distribution<int>(set.minSide, set.maxSide)(random);
        const double chance =
            std::uniform_real_distribution<double>(set.minObstacles, set.maxObstacles)(random);
        std::bernoulli_distribution obstacle(chance);
        region.free.resize(static_cast<std::size_t>(region.side * region.side));
        std::vector<int> open;
        for (std::size_t k = 0; k < region.free.size(); ++k) {
            region.free[k] = obstacle(random) ? 0 : 1;
            if (region.free[k]) {
                open.push_back(static_cast<int>(k));
            }
        }
        if (open.empty()) {
            continue;
        }
        region.start = open[std::uniform_int_distribution<std::size_t>(0, open.size() - 1)(random)];
        region.heading = std::uniform_int_distribution<int>(0, 3)(random);
        const std::vector<int> cells = component(region.side, region.free, region.start);
        if (static_cast<int>(cells.size()) < set.minCells ||
            static_cast<int>(cells.size()) > set.maxCells) {
            continue;
        }
        std::fill(region.free.begin(), region.free.end(), 0);
        for (int cell : cells) {
            region.free[cell] = 1;
        }
        region.cells = static_cast<int>(cells.size());
        return region;
    }
}

// Cells a walk from the head (occupied) can still enter, by colour: at
// most min(2 other, 2 same + 1) of the free cells connected to it.
int parityBound(const Region& region, const std::vector<char>& free, int head)
{
    const std::vector<int> cells = component(region.side, free, head);
    const int colour = (head % region.side + head / region.side) % 2;
    int same = 0;
    int other = 0;
    for (std::size_t k = 1; k < cells.size(); ++k) {
        ++((cells[k] % region.side + cells[k] / region.side) % 2 == colour ? same : other);
    }
    return std::min(2 * other, 2 * same + 1);
}

// The longest self-avoiding walk from the start: depth first, cut where the
// walk so far plus the bound of what is left cannot beat the best.
struct LongestWalk {
    const Region& region;
    std::vector<char> free;
    int best = 0;
    int ceiling = 0;
    long nodes = 0;

    explicit LongestWalk(const Region& r) : region(r), free(r.free)
    {
        free[region.start] = 0;
        ceiling = parityBound(region, free, region.start);
        walk(region.start, 0);
    }

    void walk(int head, int length)
    {
        ++nodes;
        best = std::max(best, length);
        if (best == ceiling || length + parityBound(region, free, head) <= best) {
            return;
        }
        const int x = head % region.side;
        const int y = head / region.side;
        for (int h = 0; h < 4 && best < ceiling; ++h) {
            const int nx = x + Tool::STEP_X[h];
            const int ny = y + Tool::STEP_Y[h];
            const int next = ny * region.side + nx;
            if (nx >= 0 && ny >= 0 && nx < region.side && ny < region.side && free[next]) {
                free[next] = 0;
                walk(next, length + 1);
                free[next] = 1;
            }
        }
    }
};

// The match's grid: the region's box at (1, 1), a wall column, then the
// pocket of the person's seat, side + 1 wide.
struct Arena {
    int side;
    int width() const { return 2 * side + 4; }
    int height() const { return side + 2; }
    int boxIndex(int cell) const { return (1 + cell / side) * width() + 1 + cell % side; }
    int pocketLeft() const { return side + 2; }
};

// The person's heading at each step: along the pocket's rows, right on
// the first, left on the next, down at each row's end.
std::vector<int> snake(const Arena& arena)
{
    std::vector<int> headings;
    const int across = arena.side; // moves along a row of side + 1 cells
    for (int row = 0; row < arena.side; ++row) {
        headings.insert(headings.end(), across, row % 2 == 0 ? Tool::RIGHT : Tool::LEFT);
        headings.push_back(Tool::DOWN);
    }
    return headings;
}

// Cells the player of this level enters in the region before it is out.
int fill(const Region& region, int level, unsigned seed)
{
    const Arena arena{region.side};
    Tool::MatchSetup setup;
    setup.gridWidth = arena.width();
    setup.gridHeight = arena.height();
    setup.playerCount = 2;
    setup.humans = 1;
    setup.turnChance = 5; // the shipped "TURN_CHANCE"
    setup.levels = {0, level};
    setup.startRandom = seed;
    setup.decisionRandom = seed;
    Match match(setup);
    match.start(setup);
    Tool::MatchState state;
    match.save(state);
    std::fill(state.cells.begin(), state.cells.end(), Match::BLOCKED);
    for (std::size_t cell = 0; cell < region.free.size(); ++cell) {
        if (region.free[cell]) {
            state.cells[arena.boxIndex(static_cast<int>(cell))] = Match::FREE;
        }
    }
    for (int y = 1; y <= arena.side; ++y) {
        for (int x = arena.pocketLeft(); x <= arena.pocketLeft() + arena.side; ++x) {
            state.cells[y * arena.width() + x] = Match::FREE;
        }
    }
    const int start = arena.boxIndex(region.start);
    state.cells[start] = Match::BLOCKED;
    state.cells[arena.width() + arena.pocketLeft()] = Match::BLOCKED;
    state.players[0] = Tool::PlayerHead{arena.pocketLeft(), 1, Tool::RIGHT, true};
    state.players[1] =
        Tool::PlayerHead{start % arena.width(), start / arena.width(), region.heading, true};
    state.step = 0;
    state.outcome = Match::PLAYING;
    if (!match.restore(state)) {
        std::fprintf(stderr, "vektra_endgame_fill: the region does not fit the match\n");
        std::exit(2);
    }
    const std::vector<int> person = snake(arena);
    for (std::size_t step = 0; !match.isOver() && match.getPlayer(1).alive; ++step) {
        Tool::MatchInputs inputs;
        inputs.heading[0] = step < person.size() ? person[step] : Tool::MatchInputs::KEEP;
        match.step(inputs);
    }
    if (match.getPlayer(1).alive) {
        std::fprintf(stderr, "vektra_endgame_fill: the person's seat went out first\n");
        std::exit(2);
    }
    int filled = 0;
    for (std::size_t cell = 0; cell < region.free.size(); ++cell) {
        const int index = arena.boxIndex(static_cast<int>(cell));
        filled += region.free[cell] && index != start && match.getGrid()[index] != Match::FREE;
    }
    return filled;
}

double processorSeconds()
{
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

struct Score {
    double shareSum = 0; // filled / best, summed
    double worst = 1;
    int full = 0; // regions filled to the best
    double seconds = 0;
};

void measure(const RegionSet& set, int regions, bool exact)
{
    std::mt19937 random(set.seed);
    std::vector<Region> drawn;
    std::vector<int> best;
    long cells = 0;
    long nodes = 0;
    const double searchStart = processorSeconds();
    for (int k = 0; k < regions; ++k) {
        drawn.push_back(drawRegion(set, random));
        cells += drawn.back().cells;
        if (exact) {
            const LongestWalk walk(drawn.back());
            best.push_back(walk.best);
            nodes += walk.nodes;
        } else {
            std::vector<char> free = drawn.back().free;
            free[drawn.back().start] = 0;
            best.push_back(parityBound(drawn.back(), free, drawn.back().start));
        }
    }
    std::printf("%s regions: %d, %.1f cells on average (with the start), against %s\n", set.name,
                regions, static_cast<double>(cells) / regions,
                exact ? "the exact best (longest walk)" : "the checkerboard bound");
    if (exact) {
        std::printf("  exhaustive search: %ld walks tried, %.2f s\n", nodes,
                    processorSeconds() - searchStart);
    }
    std::printf("  level  filled/best  worst   at best  seconds\n");
    for (int level = 0; level <= Tool::ComputerPlayers::MAX_LEVEL; ++level) {
        Score score;
        const double start = processorSeconds();
        for (int k = 0; k < regions; ++k) {
            const int filled = fill(drawn[k], level, set.seed + static_cast<unsigned>(k));
            const double share = best[k] > 0 ? static_cast<double>(filled) / best[k] : 1.0;
            score.shareSum += share;
            score.worst = std::min(score.worst, share);
            score.full += filled >= best[k];
        }
        score.seconds = processorSeconds() - start;
        std::printf("  %5d  %9.2f %%  %5.1f %%  %5.1f %%  %7.2f\n", level,
                    100.0 * score.shareSum / regions, 100.0 * score.worst,
                    100.0 * score.full / regions, score.seconds);
        std::fflush(stdout);
    }
}

} // namespace

int main(int argc, char** argv)
{
    const int regions = argc > 1 ? std::atoi(argv[1]) : 1000;
    if (regions < 1 || regions > 1000000) {
        std::fprintf(stderr, "usage: %s [REGIONS_PER_SET: 1 to 1000000]\n", argv[0]);
        return 2;
    }
    measure(SMALL, regions, true);
    measure(LARGE, regions, false);
    return 0;
}
