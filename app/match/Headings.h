#pragma once

namespace Tool {

// The four headings and what follows from them, written once for the rules,
// the people's steering and the computer players.
enum Heading { UP = 0, DOWN = 1, LEFT = 2, RIGHT = 3 };

// One cell in each heading; row 0 is the top of the grid.
constexpr int STEP_X[4] = {0, 0, -1, 1};
constexpr int STEP_Y[4] = {-1, 1, 0, 0};
// A quarter turn of the classic decision for an even draw (up to right,
// down to left, left to up, right to down) and for an odd one (the other
// way); the odd turn is also the first way out of a blocked cell ahead,
// the even turn the second.
constexpr int TURN_EVEN[4] = {RIGHT, LEFT, UP, DOWN};
constexpr int TURN_ODD[4] = {LEFT, RIGHT, DOWN, UP};
// Straight back into the trail.
constexpr int BACK[4] = {DOWN, UP, RIGHT, LEFT};

} // namespace Tool
