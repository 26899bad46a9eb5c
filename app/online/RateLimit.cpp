#include "RateLimit.h"

#include <algorithm>

namespace Online {

bool RateLimit::allow(double now)
{
    const double burst = 2 * perSecond;
    allowance = allowance < 0 ? burst : std::min(burst, allowance + (now - at) * perSecond);
    at = now;
    if (allowance < 1) {
        return false;
    }
    allowance -= 1;
    return true;
}

} // namespace Online
