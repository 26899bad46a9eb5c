#pragma once

#include <cstddef>
#include <cstdint>

namespace Online {

// The numbers both ends of a connection agree on. A change to any message's
// layout raises VERSION: a build refuses a peer of another version at join
// ("Mismatch"), never guesses at its bytes.
struct Protocol {
    static constexpr std::uint32_t VERSION = 1;
    static constexpr std::uint16_t DEFAULT_PORT = 4040;
    // One reliable, ordered ENet channel carries everything: a full state
    // then lands exactly between the steps before and after it.
    static constexpr std::size_t CHANNELS = 1;
    static constexpr std::uint8_t CHANNEL_MAIN = 0;
    // Longest message a server accepts from a client: a join, a batch of
    // inputs, a ready flag. Anything longer is malformed.
    static constexpr std::size_t MAX_CLIENT_MESSAGE = 1024;
    // Longest message a client accepts from a server: a full state of the
    // largest grid (a bit per cell plus owners) fits with room to spare.
    static constexpr std::size_t MAX_SERVER_MESSAGE = 8u << 20;
    static constexpr std::size_t MAX_NAME = 24;
    static constexpr std::size_t MAX_REASON = 200;
    // Most person-held seats in one match and per client.
    static constexpr int MAX_PEOPLE = 64;
    static constexpr int MAX_LOCAL_SEATS = 4;
    // Inputs one INPUT message may carry.
    static constexpr std::size_t MAX_INPUTS_PER_MESSAGE = 32;
    static constexpr std::size_t NONCE_BYTES = 32;
    static constexpr std::size_t PROOF_BYTES = 32;
};

} // namespace Online
