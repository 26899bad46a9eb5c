#pragma once

#include <cstdint>
#include <random>

namespace TestSupport {

// How one direction of a bad network treats its datagrams: seconds one way,
// shares from 0 to 1.
struct LinkShape {
    double delay = 0;
    // Each datagram's delay is drawn evenly from delay +/- jitter; jitter
    // alone never reorders (a datagram arrives no earlier than the one sent
    // before it between the same two ends).
    double jitter = 0;
    double loss = 0;
    // Losses in bursts: a datagram starts a burst with this chance, and the
    // burst takes it and the burstLength - 1 after it in this direction.
    double burstChance = 0;
    int burstLength = 0;
    double duplicate = 0;
    // A reordered datagram is held reorderDelay longer, so the ones sent
    // after it overtake it.
    double reorder = 0;
    double reorderDelay = 0.02;
};

// What one direction did with its datagrams.
struct LinkCount {
    unsigned long received = 0;
    unsigned long sent = 0;
    unsigned long lost = 0;
    unsigned long duplicated = 0;
    unsigned long reordered = 0;
};

// The fate of each datagram on one direction of a bad network, drawn from a
// seeded generator (the same on every platform): lost, or when each of its
// copies arrives. The lossy relay and the network in memory both draw from
// it. Holds the generator and the burst under way.
class LinkFate {
public:
    explicit LinkFate(std::uint64_t seed) : generator(seed) {}

    // The arrival times, in due, of a datagram sent at now: 0 copies when
    // lost, else 1 or 2. last is when the last datagram between the same
    // two ends arrives, which jitter never overtakes; it is kept up here.
    int arrivals(const LinkShape& shape, double now, double& last, LinkCount& count, double due[2]);

private:
    // 53 random bits as a share in [0, 1).
    double draw() { return static_cast<double>(generator() >> 11) * 0x1.0p-53; }
    bool lost(const LinkShape& shape);

    std::mt19937_64 generator;
    int burstLeft = 0;
};

} // namespace TestSupport
