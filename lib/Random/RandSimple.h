#pragma once

#include <cstdint>

#include "Random/I_Random.h"

namespace RNG {

// A small, fast, fully deterministic generator whose whole state is one
// 32-bit word. It allocates nothing and owns nothing.
class RandSimple final : public I_Random {
public:
    explicit RandSimple(unsigned int seed) : reserved(0), state(seed) { (void)reserved; }
    ~RandSimple() override = default;

    void initialise(unsigned int seed) override;
    // Uses seeds[0]; a null array or a count below 1 leaves the state as it is.
    void initialise(unsigned int* seeds, int count) override;
    // Defined here so that callers holding a RandSimple get it inlined: the
    // step is a handful of integer operations and a call would double it.
    double getFloat() override
    {
        const std::uint32_t b = state ^ (state << 13);
        // t = b * (b * b * 15731 + 789221) + 0x5208DD0D, computed as
        // (b * b) * (b * 15731) + (b * 789221 + 0x5208DD0D) so that the
        // products run side by side. Unsigned arithmetic wraps modulo 2^32,
        // so the regrouping gives the same bits.
        std::uint32_t square = b * b;
        std::uint32_t scaled = b * 15731u;
        std::uint32_t linear = b * 789221u + 0x5208DD0Du;
        keepGrouping(square);
        keepGrouping(scaled);
        keepGrouping(linear);
        const std::uint32_t cubic = square * scaled;
        const std::uint32_t n = (cubic + linear) & 0x7FFFFFFFu;

        // The state advances by the integer part of value * 4294967295,
        // which is 2n (that is 2t modulo 2^32), except at the very top where
        // the value is exactly 1.0 and the step is 2^32 - 1. Doubles would
        // round some of these products up by one, so stay in integers.
        std::uint32_t base = state + (linear << 1);
        keepGrouping(base);
        state = base + (cubic << 1);
        if (n == 0x7FFFFFFFu) {
            // Two states in 2^32 get here. The barrier keeps this a branch,
            // which the CPU predicts, rather than a conditional add on the
            // path from one state to the next.
            std::uint32_t top = state + 1u;
            keepGrouping(top);
            state = top;
        }
        return static_cast<double>(n) / 2147483647.0;
    }

    std::uint32_t getState() const { return state; }

private:
    // Hides a value from the optimiser so that it keeps the grouping written
    // here: otherwise it folds the products back into nested form, with
    // three multiplies in a row between one state and the next. Has no
    // effect on the value.
    static void keepGrouping(std::uint32_t& value)
    {
#if defined(__GNUC__)
        asm("" : "+r"(value));
#else
        (void)value;
#endif
    }

    std::uint32_t reserved;
    std::uint32_t state;
};

} // namespace RNG
