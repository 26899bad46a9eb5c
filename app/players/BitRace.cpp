#include "BitRace.h"

#include <algorithm>

namespace Tool {

namespace {

void setBit(std::vector<std::uint64_t>& bits, int cell, int width, int words)
{
    const int x = cell % width;
    bits[static_cast<std::size_t>(cell / width) * words + x / 64] |= std::uint64_t{1} << (x % 64);
}

} // namespace

void BitRace::spread(const std::uint64_t* from, std::uint64_t* into, int y) const
{
    // Row y's cells next to a frontier cell: above, below, left and right
    // (a shift across the words of the row carries the bit at their seam).
    const std::uint64_t* row = from + static_cast<std::size_t>(y) * words;
    const std::uint64_t* above = row - words;
    const std::uint64_t* below = row + words;
    for (int w = 0; w < words; ++w) {
        std::uint64_t near = above[w] | below[w] | row[w] << 1 | row[w] >> 1;
        if (w > 0) {
            near |= row[w - 1] >> 63;
        }
        if (w + 1 < words) {
            near |= row[w + 1] << 63;
        }
        into[w] = near;
    }
}

const Territory& BitRace::run(const DuelBoard& board, int first, int budget)
{
    words = board.wordsPerRow();
    height = board.getHeight();
    const int width = board.getWidth();
    const std::size_t size = static_cast<std::size_t>(words) * height;
    for (int side = 0; side < 2; ++side) {
        frontier[side].assign(size, 0);
        next[side].assign(size, 0);
        owned[side].assign(size, 0);
        const int head = board.head(side == 0 ? first : 1 - first);
        setBit(frontier[side], head, width, words);
        // A head counts as its side's for contact, not in its count.
        setBit(owned[side], head, width, words);
    }
    result.side.resize(static_cast<std::size_t>(board.size()));
    taken = owned[0];
    for (std::size_t w = 0; w < size; ++w) {
        taken[w] |= owned[1][w];
    }
    result.contact = false;
    scratch.assign(static_cast<std::size_t>(words), 0);
    result.cells[0] = result.cells[1] = 0;
    result.complete = true;
    int top = std::min(board.head(0), board.head(1)) / width;
    int bottom = std::max(board.head(0), board.head(1)) / width;
    int claimed = 0;
    while (top <= bottom) {
        if (claimed >= budget) {
            result.complete = false;
            break;
        }
        // The frontiers move one cell; the first side takes the cells both reach.
        const int from = std::max(top - 1, 1);
        const int to = std::min(bottom + 1, height - 2);
        top = height;
        bottom = -1;
        for (int y = from; y <= to; ++y) {
            const std::uint64_t* free = board.freeRow(y);
            const std::size_t at = static_cast<std::size_t>(y) * words;
            bool any = false;
            for (int side = 0; side < 2; ++side) {
                spread(frontier[side].data(), scratch.data(), y);
                std::uint64_t* out = next[side].data() + at;
                const std::uint64_t* others = owned[1 - side].data() + at;
                for (int w = 0; w < words; ++w) {
                    // A frontier next to the other side's cells: one region.
                    if ((scratch[w] & others[w]) != 0) {
                        result.contact = true;
                    }
                    std::uint64_t gained = scratch[w] & free[w] & ~taken[at + w];
                    if (side == 1) {
                        gained &= ~next[0][at + w];
                    }
                    out[w] = gained;
                    if (gained != 0) {
                        any = true;
                        result.cells[side] += __builtin_popcountll(gained);
                        owned[side][at + w] |= gained;
                    }
                }
            }
            if (any) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
        for (int y = from; y <= to; ++y) {
            const std::size_t at = static_cast<std::size_t>(y) * words;
            for (int w = 0; w < words; ++w) {
                taken[at + w] |= next[0][at + w] | next[1][at + w];
            }
        }
        // The old frontiers become the next layer's buffers, cleared.
        frontier[0].swap(next[0]);
        frontier[1].swap(next[1]);
        for (int y = from; y <= to; ++y) {
            const std::size_t at = static_cast<std::size_t>(y) * words;
            std::fill(next[0].begin() + at, next[0].begin() + at + words, 0);
            std::fill(next[1].begin() + at, next[1].begin() + at + words, 0);
        }
        claimed = result.cells[0] + result.cells[1];
    }
    result.contact = result.contact || !result.complete;
    label(width);
    return result;
}

void BitRace::label(int width)
{
    // Only the set bits are visited: the cost follows the cells claimed.
    std::fill(result.side.begin(), result.side.end(), Territory::NONE);
    for (int side = 0; side < 2; ++side) {
        for (int y = 0; y < height; ++y) {
            for (int w = 0; w < words; ++w) {
                std::uint64_t bits = owned[side][static_cast<std::size_t>(y) * words + w];
                while (bits != 0) {
                    const int x = w * 64 + __builtin_ctzll(bits);
                    result.side[static_cast<std::size_t>(y) * width + x] =
                        static_cast<std::uint8_t>(side);
                    bits &= bits - 1;
                }
            }
        }
    }
}

} // namespace Tool
