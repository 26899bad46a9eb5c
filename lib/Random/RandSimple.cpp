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

} // namespace RNG
