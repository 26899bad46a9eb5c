#include "ByteStream.h"

namespace Online {

void ByteWriter::number(std::uint64_t value)
{
    do {
        std::uint8_t byte = value & 0x7F;
        value >>= 7;
        if (value != 0) {
            byte |= 0x80;
        }
        bytes.push_back(byte);
    } while (value != 0);
}

void ByteWriter::text(const std::string& value)
{
    number(value.size());
    bytes.insert(bytes.end(), value.begin(), value.end());
}

void ByteWriter::fixed(std::uint64_t value, int size)
{
    for (int i = 0; i < size; ++i) {
        bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

void ByteReader::fail(const std::string& reason)
{
    if (error.empty()) {
        error = reason;
    }
    left = 0;
}

std::uint8_t ByteReader::u8()
{
    return static_cast<std::uint8_t>(fixed(1));
}

std::uint64_t ByteReader::fixed(int size)
{
    if (left < static_cast<std::size_t>(size)) {
        fail("message truncated");
        return 0;
    }
    std::uint64_t value = 0;
    for (int i = 0; i < size; ++i) {
        value |= static_cast<std::uint64_t>(data[i]) << (8 * i);
    }
    data += size;
    left -= static_cast<std::size_t>(size);
    return value;
}

std::uint64_t ByteReader::number(std::uint64_t high, const char* what)
{
    std::uint64_t value = 0;
    for (int shift = 0; shift < 64; shift += 7) {
        if (left == 0) {
            fail("message truncated in " + std::string(what));
            return 0;
        }
        const std::uint8_t byte = *data++;
        --left;
        // The tenth byte may only carry the top bit of a 64-bit number.
        if (shift == 63 && (byte & 0xFE) != 0) {
            break;
        }
        value |= static_cast<std::uint64_t>(byte & 0x7F) << shift;
        if ((byte & 0x80) == 0) {
            if (value > high) {
                fail(std::string(what) + " out of range");
                return 0;
            }
            return value;
        }
    }
    fail(std::string(what) + " is not a number");
    return 0;
}

std::string ByteReader::blob(std::size_t maxBytes, const char* what)
{
    const std::uint64_t size = number(maxBytes, what);
    if (!ok()) {
        return std::string();
    }
    if (size > left) {
        fail("message truncated in " + std::string(what));
        return std::string();
    }
    std::string value(reinterpret_cast<const char*>(data), static_cast<std::size_t>(size));
    data += size;
    left -= static_cast<std::size_t>(size);
    return value;
}

std::string ByteReader::text(std::size_t maxBytes, const char* what)
{
    std::string value = blob(maxBytes, what);
    for (char c : value) {
        if (c < 32 || c > 126) {
            fail(std::string(what) + " holds a byte that is not printable");
            return std::string();
        }
    }
    return value;
}

bool ByteReader::raw(std::uint8_t* out, std::size_t size)
{
    if (left < size) {
        fail("message truncated");
        return false;
    }
    for (std::size_t i = 0; i < size; ++i) {
        out[i] = data[i];
    }
    data += size;
    left -= size;
    return true;
}

bool ByteReader::canHold(std::uint64_t count, std::size_t minBytes, const char* what)
{
    if (ok() && minBytes > 0 && count > left / minBytes) {
        fail(std::string(what) + ": more than the message holds");
    }
    return ok();
}

} // namespace Online
