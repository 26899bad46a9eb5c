#include "Replay.h"

#include <zlib.h>

#include <fstream>

#include "app/match/Match.h"

namespace Tool {

namespace {

// Record kinds in a record's first number's low bits: a turn (bit 0 clear:
// then seat and heading in bits 1 to 4), a check (01), the end (11).
constexpr unsigned long long KIND_CHECK = 1;
constexpr unsigned long long KIND_END = 3;
// The longest match: every step of one blocks a cell or ends it.
constexpr unsigned long long MOST_STEPS =
    static_cast<unsigned long long>(MatchSetup::MAX_GRID_SIDE) * MatchSetup::MAX_GRID_SIDE + 1;

void putNumber(std::string& out, unsigned long long value)
{
    while (value >= 0x80) {
        out += static_cast<char>((value & 0x7F) | 0x80);
        value >>= 7;
    }
    out += static_cast<char>(value);
}

void putWord(std::string& out, std::uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) {
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

std::uint32_t crcOf(const std::string& bytes, std::size_t size)
{
    return static_cast<std::uint32_t>(
        crc32(0L, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(size)));
}

// Reads the records between the header and the CRC.
class Reader {
public:
    Reader(const std::string& bytes, std::size_t from, std::size_t end)
        : bytes(bytes), at(from), end(end)
    {
    }

    bool number(unsigned long long& value)
    {
        value = 0;
        for (int shift = 0; shift < 64 && at < end; shift += 7) {
            const unsigned char byte = static_cast<unsigned char>(bytes[at++]);
            value |= static_cast<unsigned long long>(byte & 0x7F) << shift;
            if ((byte & 0x80) == 0) {
                return true;
            }
        }
        return false;
    }

    bool word(std::uint64_t& value)
    {
        if (end - at < 8) {
            return false;
        }
        value = 0;
        for (int i = 0; i < 8; ++i) {
            value |= static_cast<std::uint64_t>(static_cast<unsigned char>(bytes[at++])) << (8 * i);
        }
        return true;
    }

    bool done() const { return at == end; }

private:
    const std::string& bytes;
    std::size_t at;
    std::size_t end;
};

bool readRecords(Reader& in, Replay& replay, std::string& error)
{
    unsigned long long step = 0;
    for (;;) {
        unsigned long long tag = 0;
        if (!in.number(tag)) {
            error = "replay is truncated (no end record)";
            return false;
        }
        const bool turn = (tag & 1) == 0;
        const unsigned long long delta = turn ? tag >> 5 : tag >> 2;
        step += delta;
        if (delta > MOST_STEPS || step > MOST_STEPS) {
            error = "replay's steps go beyond any match";
            return false;
        }
        if (turn) {
            const int seat = static_cast<int>((tag >> 3) & 3);
            if (step == 0 || seat >= replay.header.setup.humans) {
                error = "replay turns a seat that no person steers";
                return false;
            }
            replay.turns.push_back(
                {static_cast<unsigned long>(step), seat, static_cast<int>((tag >> 1) & 3)});
            continue;
        }
        std::uint64_t checksum = 0;
        if (!in.word(checksum)) {
            error = "replay is truncated in a checksum";
            return false;
        }
        replay.checks.push_back({static_cast<unsigned long>(step), checksum});
        if ((tag & 3) != KIND_END) {
            continue;
        }
        unsigned long long outcome = 0;
        if (!in.number(outcome) ||
            outcome >= static_cast<unsigned long long>(replay.header.setup.playerCount) + 2 ||
            !in.done()) {
            error = "replay's end record is malformed";
            return false;
        }
        replay.outcome = outcome == 0 ? Replay::LEFT : static_cast<int>(outcome) - 2;
        return true;
    }
}

} // namespace

void Replay::noteInputs(const Match& match, const MatchInputs& inputs)
{
    for (int seat = 0; seat < match.getSetup().humans; ++seat) {
        const int heading = inputs.heading[seat];
        if (heading >= UP && heading <= RIGHT && heading != match.getPlayer(seat).heading) {
            turns.push_back({match.getStepCount() + 1, seat, heading});
        }
    }
}

void Replay::noteStep(const Match& match)
{
    if (match.getStepCount() % CHECK_EVERY == 0) {
        checks.push_back({match.getStepCount(), match.checksum()});
    }
}

void Replay::noteEnd(const Match& match, bool left)
{
    checks.push_back({match.getStepCount(), match.checksum()});
    outcome = left ? LEFT : match.getOutcome();
}

std::string Replay::encode() const
{
    std::string out = header.encode();
    unsigned long step = 0;
    std::size_t turn = 0;
    for (std::size_t c = 0; c < checks.size(); ++c) {
        for (; turn < turns.size() && turns[turn].step <= checks[c].step; ++turn) {
            const Turn& t = turns[turn];
            putNumber(out, static_cast<unsigned long long>(t.step - step) << 5 |
                               static_cast<unsigned long long>(t.seat) << 3 |
                               static_cast<unsigned long long>(t.heading) << 1);
            step = t.step;
        }
        const bool last = c + 1 == checks.size();
        putNumber(out, static_cast<unsigned long long>(checks[c].step - step) << 2 |
                           (last ? KIND_END : KIND_CHECK));
        putWord(out, checks[c].checksum, 8);
        step = checks[c].step;
        if (last) {
            // 0 left, 1 a draw, 2 + k player k won.
            putNumber(out, outcome == LEFT ? 0 : static_cast<unsigned long long>(outcome + 2));
        }
    }
    putWord(out, crcOf(out, out.size()), 4);
    return out;
}

bool Replay::decode(const std::string& bytes, Replay& replay, std::string& error)
{
    if (bytes.size() > MAX_BYTES) {
        error = "replay is larger than " + std::to_string(MAX_BYTES >> 20) + " MiB";
        return false;
    }
    // A file of something else entirely is no damaged replay.
    const std::string magic = std::string(MatchHeader::MAGIC) + " ";
    if (bytes.compare(0, magic.size(), magic) != 0) {
        error = "not a replay file";
        return false;
    }
    // The CRC first: a damaged file is called damaged, whatever part of it
    // the damage hit.
    if (bytes.size() < 4) {
        error = "replay is truncated";
        return false;
    }
    const std::size_t body = bytes.size() - 4;
    std::uint32_t stored = 0;
    for (int i = 0; i < 4; ++i) {
        stored |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[body + i]))
                  << (8 * i);
    }
    if (stored != crcOf(bytes, body)) {
        error = "replay is damaged (its CRC does not match)";
        return false;
    }
    Replay read;
    std::size_t used = 0;
    if (!MatchHeader::decode(bytes.substr(0, body), read.header, used, error)) {
        return false;
    }
    Reader in(bytes, used, body);
    if (!readRecords(in, read, error)) {
        return false;
    }
    replay = std::move(read);
    return true;
}

bool Replay::load(const std::string& path, Replay& replay, std::string& error)
{
    std::ifstream file(path, std::ios::binary);
    std::string bytes(MAX_BYTES + 1, '\0');
    file.read(&bytes[0], static_cast<std::streamsize>(bytes.size()));
    if (!file && !file.eof()) {
        error = path + ": cannot be read";
        return false;
    }
    bytes.resize(static_cast<std::size_t>(file.gcount()));
    if (!decode(bytes, replay, error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}

} // namespace Tool
