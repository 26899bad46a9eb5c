#pragma once

namespace Tool {

// Where one player stands and which way it is going (headings: 0 up, 1 down,
// 2 left, 3 right). The match keeps its player records in this form, so a
// computer player reads them in place.
struct PlayerHead {
    int x;
    int y;
    int heading;
    bool alive;
};

} // namespace Tool
