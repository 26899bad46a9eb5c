#pragma once

namespace EVT {

// The type numbers the framework raises and consumes. Numbers 2, 3 and from
// 15 upward are free for the game's own events.
enum EventType {
    QUIT = 1,
    PAUSE = 4,
    RESUME = 5,
    UPDATE = 6,
    PRE_UPDATE = 7,
    RENDER = 8,
    SCREEN = 9,
    SET_MOUSE = 10,
    MOUSE = 11,
    ENTER_LEAVE = 12,
    KEY = 13,
    JOYPAD = 14
};

} // namespace EVT
