#include "QueueRace.h"

namespace Tool {

void QueueRace::claim(int cell, std::uint8_t side)
{
    result.side[cell] = side;
    queue.push_back(cell);
}

const Territory& QueueRace::run(const DuelBoard& board, int first, int budget)
{
    result.side.assign(static_cast<std::size_t>(board.size()), Territory::NONE);
    queue.clear();
    claim(board.head(first), 0);
    claim(board.head(1 - first), 1);
    result.cells[0] = result.cells[1] = 0;
    result.contact = false;
    result.complete = true;
    const int* steps = board.steps();
    // A first-in first-out queue: the first side's cells of each layer come
    // before the other's, so it wins the cells both reach equally soon.
    for (std::size_t head = 0; head < queue.size(); ++head) {
        const int cell = queue[head];
        const std::uint8_t side = result.side[cell];
        for (int h = 0; h < 4; ++h) {
            const int near = cell + steps[h];
            const std::uint8_t seen = result.side[near];
            if (seen != Territory::NONE) {
                result.contact = result.contact || seen != side;
                continue;
            }
            if (!board.isFree(near)) {
                continue;
            }
            if (result.cells[0] + result.cells[1] >= budget) {
                result.complete = false;
                result.contact = true;
                return result;
            }
            claim(near, side);
            ++result.cells[side];
        }
    }
    return result;
}

} // namespace Tool
