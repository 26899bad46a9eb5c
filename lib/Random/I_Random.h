#pragma once

namespace RNG {

// Interface of a seeded pseudo-random generator. A given seed always yields
// the same sequence, on every platform.
class I_Random {
public:
    virtual ~I_Random() = default;

    // Restarts the sequence from the given seed.
    virtual void initialise(unsigned int seed) = 0;
    // Restarts the sequence from a seed array; generators with a single
    // word of state use only the first element.
    virtual void initialise(unsigned int* seeds, int count) = 0;
    // The next number, from 0 to 1 inclusive.
    virtual double getFloat() = 0;
};

} // namespace RNG
