#include "Match.h"

#include <stdexcept>

#include "CellKeys.h"
#include "TurnRules.h"
#include "app/players/ComputerPlayers.h"

namespace Tool {

namespace {

// Draws a person's start place may take before the last one is kept: a
// small crowded arena may have no place that is free two cells ahead.
constexpr int MAX_START_DRAWS = 1000;

std::uint64_t mix(std::uint64_t x)
{
    return CellKeys::mix(x);
}

#ifndef VEKTRA_MATCH_NO_CHECKSUM
// Kept to a few instructions: the step adds one key per player still in.
std::uint64_t cellKey(std::size_t index, int owner)
{
    return CellKeys::cell(index, owner);
}

std::uint64_t cellKey(std::size_t index)
{
    return CellKeys::cell(index);
}
#else
// A benchmark's build without the checksum's upkeep, to measure its cost.
std::uint64_t cellKey(std::size_t, int)
{
    return 0;
}

std::uint64_t cellKey(std::size_t)
{
    return 0;
}
#endif

std::uint64_t headKey(int number, const PlayerHead& head)
{
    return mix(static_cast<std::uint64_t>(static_cast<std::uint16_t>(head.x)) |
               static_cast<std::uint64_t>(static_cast<std::uint16_t>(head.y)) << 16 |
               static_cast<std::uint64_t>(head.heading & 3) << 32 |
               static_cast<std::uint64_t>(head.alive ? 1 : 0) << 34 |
               static_cast<std::uint64_t>(static_cast<std::uint32_t>(number)) << 35);
}

} // namespace

Match::Match(const MatchSetup& initial)
    : setup(initial), state(), startGenerator(initial.startRandom),
      decisionGenerator(initial.decisionRandom), computers(new ComputerPlayers())
{
    const std::string problem = setup.problem();
    if (!problem.empty()) {
        throw std::invalid_argument(problem);
    }
    resize();
}

Match::~Match() = default;

void Match::resize()
{
    const std::size_t size =
        static_cast<std::size_t>(setup.gridWidth) * static_cast<std::size_t>(setup.gridHeight);
    state.cells.assign(size, FREE);
    state.players.assign(static_cast<std::size_t>(setup.playerCount),
                         PlayerHead{0, 0, RIGHT, false});
    state.owners.clear();
    state.step = 0;
    state.outcome = PLAYING;
    state.cellsHash = 0;
    state.handedOver = 0;
}

void Match::handOver(int number)
{
    if (number >= 0 && number < setup.humans) {
        state.handedOver |= std::uint64_t{1} << number;
    }
}

void Match::start(const MatchSetup& next)
{
    const std::string problem = next.problem();
    if (!problem.empty()) {
        throw std::invalid_argument(problem);
    }
    const bool sameShape = next.gridWidth == setup.gridWidth &&
                           next.gridHeight == setup.gridHeight &&
                           next.playerCount == setup.playerCount;
    setup = next;
    if (!sameShape) {
        resize();
    }
    startGenerator.initialise(setup.startRandom);
    decisionGenerator.initialise(setup.decisionRandom);
    computers->setLevels(setup.levels);
    state.step = 0;
    state.outcome = PLAYING;
    state.handedOver = 0;
    if (setup.colors.empty()) {
        state.owners.clear();
    } else {
        state.owners.assign(state.cells.size(), 0);
    }
    clearGrid();
    placePlayers();
    computers->startMatch(snapshot());
}

void Match::reseed(std::uint32_t seed)
{
    startGenerator.initialise(seed);
    decisionGenerator.initialise(seed);
}

unsigned char Match::cell(int x, int y) const
{
    if (x < 0 || y < 0 || x >= setup.gridWidth || y >= setup.gridHeight) {
        return BLOCKED;
    }
    return state.cells[static_cast<std::size_t>(y) * setup.gridWidth + x];
}

void Match::clearGrid()
{
    const int width = setup.gridWidth;
    const int height = setup.gridHeight;
    state.cells.assign(state.cells.size(), FREE);
    state.cellsHash = 0;
    for (int x = 0; x < width; ++x) {
        block(-1, x, 0);
        block(-1, x, height - 1);
    }
    for (int y = 1; y < height - 1; ++y) {
        block(-1, 0, y);
        block(-1, width - 1, y);
    }
}

void Match::block(int number, int x, int y)
{
    const std::size_t index = static_cast<std::size_t>(y) * setup.gridWidth + x;
    const int owner = state.owners.empty() ? 0 : state.owners[index];
    if (state.cells[index] != FREE) {
        state.cellsHash ^= cellKey(index, owner);
    }
    state.cells[index] = BLOCKED;
    const int newOwner = number >= 0 && !state.owners.empty() ? number + 1 : owner;
    if (!state.owners.empty()) {
        state.owners[index] = newOwner;
    }
    state.cellsHash ^= cellKey(index, newOwner);
}

void Match::placePlayers()
{
    const int width = setup.gridWidth;
    const int height = setup.gridHeight;
    state.players[0] = PlayerHead{width / 4, height / 4, RIGHT, true};
    state.players[1] = PlayerHead{width - width / 4 - 1, height - height / 4 - 1, LEFT, true};
    for (int k = 2; k < setup.playerCount; ++k) {
        PlayerHead head{};
        placeRandomPlayer(head);
        // People get a fair start; computer players keep the classic draw.
        for (int draws = 1; isHuman(k) && draws < MAX_START_DRAWS && !goodHumanStart(head, k);
             ++draws) {
            placeRandomPlayer(head);
        }
        state.players[k] = head;
    }
    for (int k = 0; k < setup.playerCount; ++k) {
        block(k, state.players[k].x, state.players[k].y);
    }
}

bool Match::goodHumanStart(const PlayerHead& player, int number) const
{
    // Its own cell and the two ahead: no wall, no earlier player.
    for (int i = 0; i <= 2; ++i) {
        const int x = player.x + STEP_X[player.heading] * i;
        const int y = player.y + STEP_Y[player.heading] * i;
        if (blocked(x, y)) {
            return false;
        }
        for (int other = 0; other < number; ++other) {
            if (state.players[other].x == x && state.players[other].y == y) {
                return false;
            }
        }
    }
    return true;
}

void Match::placeRandomPlayer(PlayerHead& player)
{
    const int width = setup.gridWidth;
    const int height = setup.gridHeight;
    const double f1 = startGenerator.getFloat();
    const double f2 = startGenerator.getFloat();
    player.x = 1 + static_cast<int>(f1 * (width - 2));
    player.y = 1 + static_cast<int>(f2 * (height - 2));
    // The generator can return exactly 1.0, which would put the player on
    // the wall ring, from where it could later step outside the grid.
    if (player.x > width - 2) {
        player.x = width - 2;
    }
    if (player.y > height - 2) {
        player.y = height - 2;
    }
    player.heading = player.x / (width / 4) == 1 ? RIGHT : LEFT;
    player.alive = true;
}

void Match::step(const MatchInputs& inputs)
{
    if (isOver()) {
        return;
    }
    ++state.step;
    const TurnRules rules(setup.reversals);
    for (int seat = 0; seat < setup.humans && seat < MatchSetup::MAX_HUMANS; ++seat) {
        const int heading = inputs.heading[seat];
        if (heading >= UP && heading <= RIGHT && !isHandedOver(seat) &&
            rules.judge(*this, seat, heading) == TurnRules::Outcome::APPLIED) {
            state.players[seat].heading = heading;
        }
    }
    // The step's new cells' keys, gathered apart: a cell's store may alias
    // the state's hash, which would then go through memory at every move.
    const std::uint64_t newCells =
        state.owners.empty() ? playersMove<false>() : playersMove<true>();
    state.cellsHash ^= newCells;
    countSurvivors();
}

template <bool owned>
std::uint64_t Match::playersMove()
{
    // A cell was free before a move blocks it, so only its new key counts;
    // a player that went out blocked none (index 0).
    std::uint64_t newCells = 0;
    for (int k = 0; k < setup.playerCount; ++k) {
        if (!state.players[k].alive) {
            continue;
        }
        if (!isHuman(k)) {
            decide(k);
        }
        const std::size_t cell = move(k);
        if (owned) {
            newCells ^= cell == 0 ? 0 : cellKey(cell, k + 1);
        } else {
            newCells ^= cellKey(cell);
        }
    }
    return newCells;
}

void Match::decide(int number)
{
    // Exactly one draw per decision, whatever the outcome and the level: the
    // sequence of draws then depends only on who is still in.
    const int r = static_cast<int>(decisionGenerator.getFloat() * 100);
    const int classic = classicHeading(number, r);
    state.players[number].heading =
        getLevel(number) == 0 ? classic : computers->decide(snapshot(), number, classic);
}

int Match::classicHeading(int number, int r) const
{
    const PlayerHead& player = state.players[number];
    return decideHeading(player.heading, r, setup.turnChance, [&](int heading) {
        return blocked(player.x + STEP_X[heading], player.y + STEP_Y[heading]);
    });
}

std::size_t Match::move(int number)
{
    PlayerHead& head = state.players[number];
    head.x += STEP_X[head.heading];
    head.y += STEP_Y[head.heading];
    if (blocked(head.x, head.y)) {
        head.alive = false;
        return 0;
    }
    const std::size_t index = static_cast<std::size_t>(head.y) * setup.gridWidth + head.x;
    state.cells[index] = BLOCKED;
    if (!state.owners.empty()) {
        state.owners[index] = number + 1;
    }
    return index;
}

void Match::countSurvivors()
{
    int alive = 0;
    int survivor = -1;
    for (int k = 0; k < setup.playerCount; ++k) {
        if (state.players[k].alive) {
            ++alive;
            survivor = k;
        }
    }
    if (alive == 0) {
        state.outcome = DRAW;
    } else if (alive == 1) {
        state.outcome = survivor;
    }
}

std::string Match::result() const
{
    if (state.outcome == PLAYING) {
        return std::string();
    }
    return state.outcome == DRAW ? "DRAW" : "WIN=" + std::to_string(state.outcome);
}

int Match::getLevel(int number) const
{
    return computers->levelOf(number);
}

GridSnapshot Match::snapshot() const
{
    return GridSnapshot{setup.gridWidth,      setup.gridHeight,  state.cells.data(),
                        state.players.data(), setup.playerCount, state.step};
}

GridSnapshot Match::snapshotForNextStep() const
{
    GridSnapshot next = snapshot();
    ++next.step;
    return next;
}

std::uint64_t Match::checksum() const
{
    const std::uint64_t randoms =
        static_cast<std::uint64_t>(decisionGenerator.getState()) << 32 | startGenerator.getState();
    // The heads are folded in here rather than at every move: one key per
    // player, no more than the step's own walk over the players.
    std::uint64_t heads = 0;
    for (int k = 0; k < setup.playerCount; ++k) {
        heads ^= headKey(k, state.players[static_cast<std::size_t>(k)]);
    }
    // Hand-overs count only once there are any, so a match without them
    // keeps the digest its replays recorded.
    const std::uint64_t handed = state.handedOver == 0 ? 0 : mix(state.handedOver ^ 0x4A1Dull);
    return state.cellsHash ^ heads ^ mix(state.step ^ 0x5E9ull) ^ mix(randoms ^ 0xD1CEull) ^
           mix(static_cast<std::uint64_t>(state.outcome + 3) << 48) ^ handed;
}

void Match::save(MatchState& into) const
{
    into = state;
    into.startRandom = startGenerator.getState();
    into.decisionRandom = decisionGenerator.getState();
}

bool Match::restore(const MatchState& from)
{
    if (from.cells.size() != state.cells.size() || from.players.size() != state.players.size() ||
        (!from.owners.empty() && from.owners.size() != state.cells.size())) {
        return false;
    }
    state = from;
    startGenerator.initialise(from.startRandom);
    decisionGenerator.initialise(from.decisionRandom);
    // Their caches hold blocked cells and per-step maps that the steps
    // undone may have changed.
    computers->startMatch(snapshot());
    return true;
}

} // namespace Tool
