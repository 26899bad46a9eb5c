#pragma once

#include <cstdint>
#include <vector>

#include "DuelBoard.h"

namespace Tool {

// How far a head can still go through a set of free cells, estimated from
// the region's cut points (articulation points) and its checkerboard
// colours. One depth-first walk (Tarjan's) finds, below every cell, the
// parts that hang off it through it alone: a walk that enters such a part
// never comes back, so of the parts hanging off one cell only the largest
// counts, and the rest is lost. That is what makes a move that splits its
// own region score as the loss it is. A walk on a grid also alternates
// colours, so it visits at most twice the smaller colour count (plus one
// when the first colour stepped on is the larger): the estimate is the
// smaller of the two. Owns its walk's scratch, stamped per walk.
class CutPoints {
public:
    // Cells reachable from head (which is not counted) through the free
    // cells whose label is side (labels one per board cell; nullptr for all
    // free cells), at most budget cells walked.
    int reach(const DuelBoard& board, int head, const std::uint8_t* labels, std::uint8_t side,
              int budget);

    // Cells the last reach walked, over all its walks: what it cost.
    int lastWalked() const { return walked; }

    // The parity bound of a region seen from head: first the count of
    // cells of the other colour than the head's, then of the same colour.
    static int parityBound(int otherColour, int sameColour);

private:
    struct Frame {
        int cell;
        int parent;
        int heading;
        int colour;
    };

    struct Walk {
        int usable;     // cells a walk entering at the root can use
        int cells;      // cells the walk reached
        int colours[2]; // of them, of the other colour than the head's, the same
    };

    Walk walkFrom(int head, int root, int budget);
    bool inRegion(int cell) const;
    void finish(const Frame& frame);

    const DuelBoard* board = nullptr;
    const std::uint8_t* labels = nullptr;
    std::uint8_t side = 0;
    struct Node {
        std::uint32_t stamp; // the walk that reached it
        int order;           // discovery number
        int low;             // lowest discovery number reachable from below
        int kept;            // cells of the parts below that stay connected
        int bestPart;        // the largest part below hanging off here alone
    };

    std::vector<Node> nodes;
    std::vector<Frame> stack;
    std::uint32_t walk = 0;
    int walked = 0;
};

} // namespace Tool
