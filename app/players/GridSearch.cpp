#include "GridSearch.h"

#include <algorithm>

namespace Tool {

namespace {

// Union-find over the four headings of a look around.
int rootOf(const int* parent, int label)
{
    while (parent[label] != label) {
        label = parent[label];
    }
    return label;
}

} // namespace

void GridSearch::resize(const GridSnapshot& grid)
{
    width = grid.width;
    height = grid.height;
    knownCells = grid.cells;
    const std::size_t size = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    visit.assign(size, 0);
    owner.assign(size, 0);
    queue.assign(size, 0);
    headAt.assign(size, 0);
    marked.clear();
    marked.reserve(static_cast<std::size_t>(grid.headCount));
    generation = 0;
    headsKnown = false;
    offsets[0] = -width;
    offsets[1] = width;
    offsets[2] = -1;
    offsets[3] = 1;
}

void GridSearch::startMatch(const GridSnapshot& grid)
{
    if (grid.width != width || grid.height != height || grid.cells != knownCells) {
        resize(grid);
        return;
    }
    std::fill(visit.begin(), visit.end(), 0);
    generation = 0;
    headsKnown = false;
}

void GridSearch::prepare(const GridSnapshot& grid)
{
    if (grid.width != width || grid.height != height || grid.cells != knownCells) {
        resize(grid);
    }
    if (headsKnown && headsStep == grid.step) {
        return;
    }
    for (int cell : marked) {
        headAt[cell] = 0;
    }
    marked.clear();
    for (int k = 0; k < grid.headCount; ++k) {
        const PlayerHead& head = grid.heads[k];
        // Only heads inside the wall ring: a search never looks beyond it.
        if (head.alive && head.x > 0 && head.y > 0 && head.x < width - 1 && head.y < height - 1) {
            const int cell = grid.index(head.x, head.y);
            headAt[cell] = k + 1;
            marked.push_back(cell);
        }
    }
    headsKnown = true;
    headsStep = grid.step;
}

void GridSearch::nextGeneration()
{
    ++generation;
    if (generation == BLOCKED) {
        // Generations have run out: start again, forgetting the blocked
        // cells too (they are found again on the way).
        std::fill(visit.begin(), visit.end(), 0);
        generation = 1;
    }
}

void GridSearch::claim(int cell, std::uint8_t who)
{
    visit[cell] = generation;
    owner[cell] = who;
}

void GridSearch::noteOpponent(const GridSnapshot& grid, int self, int cell,
                              Surroundings& around) const
{
    const int player = headAt[cell] - 1;
    if (player < 0 || player == self || !grid.heads[player].alive ||
        around.opponents == MAX_OPPONENTS) {
        return;
    }
    const int* const begin = around.players;
    const int* const end = begin + around.opponents;
    if (std::find(begin, end, player) == end) {
        around.players[around.opponents++] = player;
    }
}

GridSearch::Surroundings GridSearch::lookAround(const GridSnapshot& grid, int self, int budget,
                                                bool firstOpponentEnds)
{
    Surroundings around{};
    around.exhausted = true;
    const PlayerHead& me = grid.heads[self];
    const int start = grid.index(me.x, me.y);
    const unsigned char* cells = grid.cells;
    nextGeneration();
    int parent[4] = {0, 1, 2, 3};
    int count[4] = {0, 0, 0, 0};
    int head = 0;
    int tail = 0;
    for (int h = 0; h < 4; ++h) {
        const int cell = start + offsets[h];
        if (visit[cell] == BLOCKED || cells[cell] != 0) {
            visit[cell] = BLOCKED;
            noteOpponent(grid, self, cell, around);
            continue;
        }
        around.open[h] = true;
        claim(cell, static_cast<std::uint8_t>(h));
        queue[tail++] = cell;
        count[h] = 1;
    }
    if (firstOpponentEnds && around.opponents > 0) {
        around.exhausted = false;
    }
    int claimed = tail;
    while (head < tail && around.exhausted) {
        const int cell = queue[head++];
        const int label = owner[cell];
        for (int offset : offsets) {
            const int next = cell + offset;
            const std::uint32_t seen = visit[next];
            if (seen == generation) {
                if (owner[next] != label) {
                    // Two headings meet: they lead into the same room.
                    const int a = rootOf(parent, label);
                    const int b = rootOf(parent, owner[next]);
                    parent[a > b ? a : b] = a > b ? b : a;
                }
                continue;
            }
            if (seen == BLOCKED || cells[next] != 0) {
                visit[next] = BLOCKED;
                if (headAt[next] != 0) {
                    noteOpponent(grid, self, next, around);
                    if (firstOpponentEnds && around.opponents > 0) {
                        around.exhausted = false;
                        break;
                    }
                }
                continue;
            }
            if (claimed >= budget) {
                // The cell being looked at still had room to grow.
                --head;
                around.exhausted = false;
                break;
            }
            claim(next, static_cast<std::uint8_t>(label));
            queue[tail++] = next;
            ++count[label];
            ++claimed;
        }
    }
    seen = tail;
    bool growing[4] = {false, false, false, false};
    for (int i = head; i < tail; ++i) {
        growing[rootOf(parent, owner[queue[i]])] = true;
    }
    for (int h = 0; h < 4; ++h) {
        if (!around.open[h]) {
            continue;
        }
        const int root = rootOf(parent, h);
        for (int other = 0; other < 4; ++other) {
            if (rootOf(parent, other) == root) {
                around.room[h] += count[other];
            }
        }
        around.bounded[h] = !growing[root];
    }
    return around;
}

int GridSearch::flood(const unsigned char* cells, int start, int budget)
{
    nextGeneration();
    if (cells[start] != 0 || budget <= 0) {
        return 0;
    }
    int head = 0;
    int tail = 0;
    claim(start, 0);
    queue[tail++] = start;
    while (head < tail) {
        const int cell = queue[head++];
        for (int offset : offsets) {
            const int next = cell + offset;
            const std::uint32_t seen = visit[next];
            if (seen >= generation) {
                continue;
            }
            if (cells[next] != 0) {
                visit[next] = BLOCKED;
                continue;
            }
            if (tail >= budget) {
                return tail;
            }
            visit[next] = generation;
            queue[tail++] = next;
        }
    }
    return tail;
}

GridSearch::Race GridSearch::race(const unsigned char* cells, const int* sources, int sourceCount,
                                  int mine, int budget, const int* extraBlocked, int extraCount)
{
    return raceFrom<false>(cells, sources, sourceCount, mine, budget, extraBlocked, extraCount);
}

GridSearch::Race GridSearch::raceWithContact(const unsigned char* cells, const int* sources,
                                             int sourceCount, int mine, int budget)
{
    return raceFrom<true>(cells, sources, sourceCount, mine, budget, nullptr, 0);
}

template <bool detectContact>
GridSearch::Race GridSearch::raceFrom(const unsigned char* cells, const int* sources,
                                      int sourceCount, int mine, int budget,
                                      const int* extraBlocked, int extraCount)
{
    nextGeneration();
    sourceCount = std::min(sourceCount, 255);
    int head = 0;
    int tail = 0;
    for (int s = 0; s < sourceCount; ++s) {
        const int cell = sources[s];
        if (visit[cell] == generation) {
            continue;
        }
        claim(cell, static_cast<std::uint8_t>(s));
        queue[tail++] = cell;
    }
    for (int i = 0; i < extraCount; ++i) {
        visit[extraBlocked[i]] = generation;
    }
    Race result{0, 0, false, true};
    int claimed = 0;
    while (head < tail) {
        const int cell = queue[head++];
        const std::uint8_t who = owner[cell];
        int gained = 0;
        for (int offset : offsets) {
            const int next = cell + offset;
            const std::uint32_t seen = visit[next];
            if (seen >= generation) {
                // Cells of the chosen source bordering another's: they share a region.
                if (detectContact && seen == generation && owner[next] != who &&
                    (who == mine || owner[next] == mine)) {
                    result.contact = true;
                }
                continue;
            }
            if (cells[next] != 0) {
                visit[next] = BLOCKED;
                continue;
            }
            if (claimed + gained >= budget) {
                result.complete = false;
                break;
            }
            claim(next, who);
            queue[tail++] = next;
            ++gained;
        }
        claimed += gained;
        (who == mine ? result.mine : result.theirs) += gained;
        if (!result.complete) {
            break;
        }
    }
    return result;
}

} // namespace Tool
