#include "QueueRace.h"

#include <algorithm>

namespace Tool {

void QueueRace::claim(int cell, std::uint8_t side, std::uint8_t through)
{
    result.side[cell] = side;
    way[cell] = through;
    queue.push_back(cell);
}

int QueueRace::root(int side, int label) const
{
    while (parent[side][label] != label) {
        label = parent[side][label];
    }
    return label;
}

void QueueRace::join(int side, int a, int b)
{
    a = root(side, a);
    b = root(side, b);
    parent[side][std::max(a, b)] = std::min(a, b);
}

void QueueRace::countUsable()
{
    for (int side = 0; side < 2; ++side) {
        int parts[4] = {0, 0, 0, 0};
        for (int w = 0; w < 4; ++w) {
            parts[root(side, w)] += count[side][w];
        }
        result.usable[side] = *std::max_element(parts, parts + 4);
    }
}

const Territory& QueueRace::run(const DuelBoard& board, int first, int budget)
{
    result.side.assign(static_cast<std::size_t>(board.size()), Territory::NONE);
    way.resize(result.side.size());
    queue.clear();
    for (int side = 0; side < 2; ++side) {
        for (int w = 0; w < 4; ++w) {
            parent[side][w] = w;
            count[side][w] = 0;
        }
    }
    const int heads[2] = {board.head(first), board.head(1 - first)};
    claim(heads[0], 0, 0);
    claim(heads[1], 1, 0);
    result.cells[0] = result.cells[1] = 0;
    result.contact = false;
    result.complete = true;
    const int* steps = board.steps();
    // A first-in first-out queue: the first side's cells of each layer come
    // before the other's, so it wins the cells both reach equally soon.
    for (std::size_t head = 0; head < queue.size(); ++head) {
        const int cell = queue[head];
        const std::uint8_t side = result.side[cell];
        const bool atHead = cell == heads[side];
        for (int h = 0; h < 4; ++h) {
            const int near = cell + steps[h];
            const std::uint8_t seen = result.side[near];
            if (seen != Territory::NONE) {
                result.contact = result.contact || seen != side;
                if (seen == side && !atHead && near != heads[side] && way[near] != way[cell]) {
                    join(side, way[near], way[cell]);
                }
                continue;
            }
            if (!board.isFree(near)) {
                continue;
            }
            if (result.cells[0] + result.cells[1] >= budget) {
                result.complete = false;
                result.contact = true;
                countUsable();
                return result;
            }
            const std::uint8_t through = atHead ? static_cast<std::uint8_t>(h) : way[cell];
            claim(near, side, through);
            ++result.cells[side];
            ++count[side][through];
        }
    }
    countUsable();
    return result;
}

} // namespace Tool
