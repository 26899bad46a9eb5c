#include "Random/RandSimple.h"

namespace RNG {

void RandSimple::initialise(unsigned int seed)
{
    state = seed;
}

void RandSimple::initialise(unsigned int* seeds, int count)
{
    // Reading seeds[0] is only safe when the caller says there is one.
    if (seeds == nullptr || count < 1)
        return;
    initialise(seeds[0]);
}

void RandSimple::topOfRange()
{
    // n is 2^31 - 1: the step is 2^32 - 1 rather than 2n = 2^32 - 2.
    state += 1u;
}

} // namespace RNG
