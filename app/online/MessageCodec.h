#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "Message.h"

namespace Online {

// The one encoder and decoder of the protocol: every byte a session
// receives goes through decode, which reads with bounds (no length is
// trusted before the bytes are there, no count beyond its limit) and
// refuses anything malformed with a reason, never reading outside the
// buffer. Layout: a type byte, then the type's fields as little-endian
// fixed integers, unsigned LEB128 numbers and length-prefixed text.
class MessageCodec {
public:
    static std::vector<std::uint8_t> encode(const Message& message);
    // True with message filled; false with a one-line reason in error for
    // an unknown type, a truncated or overlong message, a count over its
    // limit, bytes left over, or a value outside its range. limit is the
    // longest message accepted (Protocol::MAX_CLIENT_MESSAGE on the
    // server, MAX_SERVER_MESSAGE on a client).
    static bool decode(const std::uint8_t* data, std::size_t size, std::size_t limit,
                       Message& message, std::string& error);
};

} // namespace Online
