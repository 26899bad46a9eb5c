#pragma once

#include "app/match/PlayerHead.h"

namespace Tool {

// What a computer player sees of a match when it decides: the grid (0 is a
// free cell, anything else blocked; the outer ring is always blocked, so a
// search from an inner cell never leaves the grid), every player's head in
// number order, and the number of the step being played, which changes from
// one step to the next. Nothing here is owned: it looks at the match's own
// arrays, which change as the players of a step move one after another.
struct GridSnapshot {
    int width;
    int height;
    const unsigned char* cells;
    const PlayerHead* heads;
    int headCount;
    unsigned long step;

    int index(int x, int y) const { return y * width + x; }
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    bool isFree(int x, int y) const { return inside(x, y) && cells[index(x, y)] == 0; }
};

// Headings in the order a computer player takes them when its own measure
// ties: the classic decision's choice (random turn, then the ways out) first,
// then straight on, the first and the second way out, and back.
struct Preference {
    int order[4];

    // 0 for the most preferred heading, 3 for the least.
    int rank(int heading) const
    {
        for (int i = 0; i < 4; ++i) {
            if (order[i] == heading) {
                return i;
            }
        }
        return 4;
    }
};

} // namespace Tool
