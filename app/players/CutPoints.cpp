#include "CutPoints.h"

#include <algorithm>

namespace Tool {

int CutPoints::parityBound(int otherColour, int sameColour)
{
    // Steps go other, same, other, ...: every same-colour cell needs an
    // other-colour cell before it.
    return 2 * std::min(otherColour, sameColour) + (otherColour > sameColour ? 1 : 0);
}

bool CutPoints::inRegion(int cell) const
{
    return board->isFree(cell) && (labels == nullptr || labels[cell] == side);
}

void CutPoints::finish(const Frame& frame)
{
    const int cell = frame.cell;
    const int parent = frame.parent;
    if (parent < 0) {
        return;
    }
    Node& up = nodes[parent];
    const Node& done = nodes[cell];
    up.low = std::min(up.low, done.low);
    const int value = 1 + done.kept + done.bestPart;
    if (done.low >= up.order) {
        // Only through parent: a walk that goes in stays in.
        up.bestPart = std::max(up.bestPart, value);
    } else {
        up.kept += value;
    }
}

int CutPoints::reach(const DuelBoard& on, int head, const std::uint8_t* region, std::uint8_t wanted,
                     int budget)
{
    board = &on;
    labels = region;
    side = wanted;
    const std::size_t size = static_cast<std::size_t>(on.size());
    if (nodes.size() != size) {
        nodes.assign(size, Node{0, 0, 0, 0, 0});
        stack.resize(size);
        walk = 0;
    }
    // The parts a walk can use depend on where it enters the region: one
    // walk from each free cell next to the head, the best of them counts
    // (a cell that a walk losing nothing reached needs no walk of its own).
    int best = 0;
    int colours[2] = {0, 0};
    walked = 0;
    std::uint32_t whole = 0;
    for (int h = 0; h < 4; ++h) {
        const int first = head + on.steps()[h];
        if (!inRegion(first) || (whole != 0 && nodes[first].stamp == whole)) {
            continue;
        }
        const Walk part = walkFrom(head, first, budget);
        walked += part.cells;
        best = std::max(best, part.usable);
        if (part.cells > colours[0] + colours[1]) {
            colours[0] = part.colours[0];
            colours[1] = part.colours[1];
        }
        if (part.usable == part.cells) {
            whole = walk;
        }
    }
    return std::min(best, parityBound(colours[0], colours[1]));
}

CutPoints::Walk CutPoints::walkFrom(int head, int root, int budget)
{
    if (++walk == 0) {
        for (Node& node : nodes) {
            node.stamp = 0;
        }
        walk = 1;
    }
    const int* steps = board->steps();
    // Colours relative to the head's: 0 the other colour, 1 the same.
    Walk out{0, 0, {0, 0}};
    int counter = 0;
    int depth = 0;
    auto enter = [&](int cell, int parent, int colour) {
        nodes[cell] = Node{walk, counter, counter, 0, 0};
        ++counter;
        ++out.colours[colour];
        stack[depth++] = Frame{cell, parent, 0, colour};
    };
    enter(root, -1, 0);
    while (depth > 0) {
        Frame& top = stack[depth - 1];
        if (top.heading == 4) {
            --depth;
            finish(top);
            continue;
        }
        const int near = top.cell + steps[top.heading++];
        // The head is where the walk comes from: no way back through it.
        if (near == head || !inRegion(near)) {
            continue;
        }
        if (nodes[near].stamp == walk) {
            if (near != top.parent) {
                nodes[top.cell].low = std::min(nodes[top.cell].low, nodes[near].order);
            }
            continue;
        }
        if (counter >= budget) {
            continue;
        }
        enter(near, top.cell, 1 - top.colour);
    }
    out.cells = counter;
    out.usable = 1 + nodes[root].kept + nodes[root].bestPart;
    return out;
}

} // namespace Tool
