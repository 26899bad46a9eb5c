#pragma once

namespace Online {

// A token bucket: perSecond messages a second on average, bursts of twice
// that. Holds values only.
class RateLimit {
public:
    explicit RateLimit(double perSecond = 100) : perSecond(perSecond) {}

    // Counts one message at now (seconds); false when it is over the rate.
    bool allow(double now);

private:
    double perSecond;
    double allowance = -1;
    double at = 0;
};

} // namespace Online
