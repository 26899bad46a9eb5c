#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "Protocol.h"

namespace Online {

// The password challenge: the server sends a fresh random nonce, the
// client answers with BLAKE2b (libsodium's generic hash) of the nonce,
// keyed with a key derived from the password, and the server compares that
// with its own in constant time. The password never travels, and an answer
// overheard is worthless for the next nonce. Holds nothing.
class PasswordProof {
public:
    using Nonce = std::array<std::uint8_t, Protocol::NONCE_BYTES>;
    using Proof = std::array<std::uint8_t, Protocol::PROOF_BYTES>;

    // False when libsodium cannot start (no random source).
    static bool ready();
    static Nonce freshNonce();
    static Proof answer(const std::string& password, const Nonce& nonce);
    static bool matches(const Proof& expected, const Proof& given);
    // A random 64-bit number that is never 0 (reconnect tokens).
    static std::uint64_t randomToken();
};

} // namespace Online
