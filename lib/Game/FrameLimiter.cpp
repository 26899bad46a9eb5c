#include "Game/FrameLimiter.h"

#include <algorithm>

#include "CFG/CFG.h"
#include "CFG/SettingNumber.h"

namespace Game {

float FrameLimiter::fromSettings()
{
    const std::string text = CFG::get("FRAME_LIMIT");
    const float limit = CFG::SettingNumber::read<float>("FRAME_LIMIT", text);
    if (limit > 0 && limit < 1) {
        CFG::SettingNumber::refuseRange("FRAME_LIMIT", text, "0, or 1 and more");
    }
    return limit;
}

FrameLimiter::FrameLimiter(float framesPerSecond)
    : period(framesPerSecond > 0 ? 1.0 / framesPerSecond : 0.0), nextStart(0.0), scheduled(false)
{
}

double FrameLimiter::restAfterFrame(double now)
{
    if (period <= 0) {
        return 0.0;
    }
    if (!scheduled) {
        // The schedule starts with the frame that begins now.
        scheduled = true;
        nextStart = now;
        return 0.0;
    }
    nextStart += period;
    if (now - nextStart > period) {
        // More than a whole frame behind: begin again from now.
        nextStart = now;
        return 0.0;
    }
    return std::min(std::max(nextStart - now, 0.0), period);
}

double FrameLimiter::takeRested(double elapsed)
{
    const double taken = std::min(std::max(elapsed, 0.0), rested);
    rested = 0.0;
    return taken;
}

} // namespace Game
