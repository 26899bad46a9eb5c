#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace Online {

// Appends the protocol's primitive fields to a byte buffer: fixed
// little-endian integers, unsigned LEB128 numbers and length-prefixed text.
class ByteWriter {
public:
    void u8(std::uint8_t value) { bytes.push_back(value); }
    void u16(std::uint16_t value) { fixed(value, 2); }
    void u32(std::uint32_t value) { fixed(value, 4); }
    void u64(std::uint64_t value) { fixed(value, 8); }
    void number(std::uint64_t value);
    void text(const std::string& value);
    void raw(const std::uint8_t* data, std::size_t size)
    {
        bytes.insert(bytes.end(), data, data + size);
    }
    std::vector<std::uint8_t>& buffer() { return bytes; }

private:
    void fixed(std::uint64_t value, int size);
    std::vector<std::uint8_t> bytes;
};

// Reads the same fields back with bounds: every read checks the bytes are
// there and every number its range; the first failure keeps its reason and
// turns every later read into a harmless no-op that returns zero.
class ByteReader {
public:
    ByteReader(const std::uint8_t* data, std::size_t size) : data(data), left(size) {}

    std::uint8_t u8();
    std::uint16_t u16() { return static_cast<std::uint16_t>(fixed(2)); }
    std::uint32_t u32() { return static_cast<std::uint32_t>(fixed(4)); }
    std::uint64_t u64() { return fixed(8); }
    // A LEB128 number of at most 64 bits, no more than high; what names
    // the field in the reason.
    std::uint64_t number(std::uint64_t high, const char* what);
    // Text of at most maxBytes, printable ASCII only (names and reasons
    // are shown on screens and written to logs).
    std::string text(std::size_t maxBytes, const char* what);
    // Any bytes, at most maxBytes (the match header, checked by its own
    // decoder).
    std::string blob(std::size_t maxBytes, const char* what);
    // size bytes copied out, or false.
    bool raw(std::uint8_t* out, std::size_t size);
    // Says at least count elements of minBytes each can still follow;
    // a claimed count is checked so before anything is allocated for it.
    bool canHold(std::uint64_t count, std::size_t minBytes, const char* what);
    void fail(const std::string& reason);

    bool ok() const { return error.empty(); }
    std::size_t remaining() const { return left; }
    const std::string& reason() const { return error; }

private:
    std::uint64_t fixed(int size);
    const std::uint8_t* data;
    std::size_t left;
    std::string error;
};

} // namespace Online
