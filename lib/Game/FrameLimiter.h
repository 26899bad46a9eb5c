#pragma once

namespace Game {

// The rest a window backend takes after each frame so that frames begin at
// most a given number of times a second: a loop that would otherwise never
// wait (no vertical sync, or a display that ignores it) then leaves the
// processor alone for the rest of each frame's share. Frames are scheduled
// one period apart from the first; a frame that ends late is followed by
// frames without rest until the schedule is met again, and one more than a
// whole period late starts the schedule afresh instead of rushing frames
// to catch up. Only arithmetic: the caller reads the clock and sleeps.
class FrameLimiter {
public:
    // framesPerSecond of 0 or less (or not a number) never rests.
    explicit FrameLimiter(float framesPerSecond);

    // The frames per second the settings ask for ("FRAME_LIMIT"). Above 0
    // and below 1 a window would answer its keys that seldom (Escape after
    // minutes): refused, like a value that is no number, by throwing
    // std::domain_error with a message naming the setting.
    static float fromSettings();

    bool isOn() const { return period > 0; }
    // Seconds to rest after a frame that ended at now (seconds on a clock
    // that does not go backward); 0 when off, or when the frame took its
    // share or more. Never more than one period.
    double restAfterFrame(double now);

    // The time a rest actually took (a sleep may overrun its request), kept
    // until the next frame takes it out of its delta with takeRested: the
    // game manager would count it as lateness and skip drawing.
    void noteRested(double seconds) { rested += seconds; }
    // The rested time within elapsed (seconds since the last frame), now
    // forgotten; 0 after a time reset discards it.
    double takeRested(double elapsed);

private:
    double period;
    double rested = 0.0;
    double nextStart;
    bool scheduled;
};

} // namespace Game
