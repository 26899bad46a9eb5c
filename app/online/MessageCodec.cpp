#include "MessageCodec.h"

#include "ByteStream.h"
#include "app/replay/MatchHeader.h"

namespace Online {

namespace {

constexpr std::size_t MAX_CELLS =
    static_cast<std::size_t>(Tool::MatchSetup::MAX_GRID_SIDE) * Tool::MatchSetup::MAX_GRID_SIDE;
constexpr std::uint64_t MAX_STEP = 0xFFFFFFFFull;
// Players a match can hold: one per free cell of the largest grid.
constexpr std::uint64_t MAX_PLAYERS = MAX_CELLS;
// Names and wins travel for every player of a START; the server never
// names more players than people's seats, but wins cover every player.
constexpr std::uint64_t MAX_LISTED = 1u << 16;

void writeState(ByteWriter& out, const Tool::MatchState& state)
{
    out.number(state.cells.size());
    std::uint8_t bits = 0;
    std::size_t blocked = 0;
    for (std::size_t i = 0; i < state.cells.size(); ++i) {
        if (state.cells[i] != Tool::Match::FREE) {
            bits |= static_cast<std::uint8_t>(1u << (i % 8));
            ++blocked;
        }
        if (i % 8 == 7 || i + 1 == state.cells.size()) {
            out.u8(bits);
            bits = 0;
        }
    }
    // Owners only of blocked cells: a free cell belongs to nobody.
    out.u8(state.owners.empty() ? 0 : 1);
    for (std::size_t i = 0; i < state.owners.size() && blocked > 0; ++i) {
        if (state.cells[i] != Tool::Match::FREE) {
            out.number(static_cast<std::uint32_t>(state.owners[i]));
        }
    }
    out.number(state.players.size());
    for (const Tool::PlayerHead& head : state.players) {
        out.u16(static_cast<std::uint16_t>(head.x));
        out.u16(static_cast<std::uint16_t>(head.y));
        out.u8(static_cast<std::uint8_t>((head.heading & 3) | (head.alive ? 4 : 0)));
    }
    out.u32(static_cast<std::uint32_t>(state.step));
    out.u32(state.startRandom);
    out.u32(state.decisionRandom);
    out.number(static_cast<std::uint64_t>(state.outcome - Tool::Match::PLAYING));
    out.u64(state.cellsHash);
    out.u64(state.handedOver);
}

void readCells(ByteReader& in, Tool::MatchState& state, std::size_t& blocked)
{
    const std::uint64_t count = in.number(MAX_CELLS, "cell count");
    if (!in.canHold((count + 7) / 8, 1, "cells")) {
        return;
    }
    state.cells.assign(static_cast<std::size_t>(count), Tool::Match::FREE);
    blocked = 0;
    for (std::size_t i = 0; i < count; i += 8) {
        const std::uint8_t bits = in.u8();
        for (std::size_t b = 0; b < 8 && i + b < count; ++b) {
            if (bits >> b & 1) {
                state.cells[i + b] = Tool::Match::BLOCKED;
                ++blocked;
            }
        }
    }
}

void readState(ByteReader& in, Tool::MatchState& state)
{
    std::size_t blocked = 0;
    readCells(in, state, blocked);
    const std::uint8_t owned = in.u8();
    if (owned > 1) {
        in.fail("owners flag out of range");
    }
    state.owners.clear();
    if (owned == 1 && in.canHold(blocked, 1, "owners")) {
        state.owners.assign(state.cells.size(), 0);
        for (std::size_t i = 0; i < state.cells.size() && in.ok(); ++i) {
            if (state.cells[i] != Tool::Match::FREE) {
                state.owners[i] = static_cast<int>(in.number(MAX_PLAYERS, "owner"));
            }
        }
    }
    const std::uint64_t players = in.number(MAX_PLAYERS, "player count");
    if (!in.canHold(players, 5, "players")) {
        return;
    }
    state.players.clear();
    for (std::uint64_t k = 0; k < players; ++k) {
        Tool::PlayerHead head{};
        head.x = in.u16();
        head.y = in.u16();
        const std::uint8_t bits = in.u8();
        if (bits > 7) {
            in.fail("player bits out of range");
        }
        head.heading = bits & 3;
        head.alive = (bits & 4) != 0;
        state.players.push_back(head);
    }
    state.step = in.u32();
    state.startRandom = in.u32();
    state.decisionRandom = in.u32();
    state.outcome = static_cast<int>(in.number(players + 1, "outcome")) + Tool::Match::PLAYING;
    state.cellsHash = in.u64();
    state.handedOver = in.u64();
}

void writeBody(ByteWriter& out, const Message& m)
{
    switch (m.type) {
    case MessageType::HELLO:
        out.u32(m.version);
        out.text(m.text);
        out.u8(m.seats);
        out.u64(m.token);
        break;
    case MessageType::CHALLENGE:
    case MessageType::PROOF:
        out.raw(m.bytes.data(), m.bytes.size());
        break;
    case MessageType::WELCOME:
        out.u64(m.token);
        break;
    case MessageType::REFUSED:
        out.u8(static_cast<std::uint8_t>(m.code));
        out.text(m.text);
        break;
    case MessageType::READY:
        out.u8(m.flag ? 1 : 0);
        break;
    case MessageType::LOBBY:
        out.u8(m.flag ? 1 : 0);
        out.number(m.lobby.size());
        for (const LobbyEntry& e : m.lobby) {
            out.text(e.name);
            out.u16(e.pingMs);
            out.u8(e.ready ? 1 : 0);
            out.u8(e.seats);
        }
        break;
    case MessageType::START:
        out.text(m.text);
        out.number(m.step);
        out.number(m.moveTimeMs);
        out.number(m.players.size());
        for (std::uint16_t p : m.players) {
            out.number(p);
        }
        out.number(m.names.size());
        for (const std::string& name : m.names) {
            out.text(name);
        }
        out.number(m.wins.size());
        for (std::uint32_t w : m.wins) {
            out.number(w);
        }
        break;
    case MessageType::INPUT:
        out.number(m.inputs.size());
        for (const SeatInput& i : m.inputs) {
            out.number(i.step);
            out.number(i.player);
            out.u8(i.heading);
        }
        break;
    case MessageType::STEP:
        out.number(m.step);
        out.number(m.headings.size());
        for (const StepHeading& h : m.headings) {
            out.number(h.player);
            out.u8(h.heading);
        }
        out.number(m.handOvers.size());
        for (std::uint16_t p : m.handOvers) {
            out.number(p);
        }
        out.u64(m.checksum);
        break;
    case MessageType::STATE_REQUEST:
        out.number(m.step);
        break;
    case MessageType::FULL_STATE:
        out.number(m.step);
        writeState(out, m.state);
        break;
    case MessageType::END:
        out.text(m.text);
        out.number(m.wins.size());
        for (std::uint32_t w : m.wins) {
            out.number(w);
        }
        break;
    case MessageType::CLOSING:
        out.text(m.text);
        break;
    case MessageType::LEAVE:
        break;
    }
}

std::uint8_t heading(ByteReader& in)
{
    const std::uint8_t value = in.u8();
    if (value > 3) {
        in.fail("heading out of range");
    }
    return value;
}

void readWins(ByteReader& in, Message& m)
{
    const std::uint64_t count = in.number(MAX_LISTED, "win count");
    if (in.canHold(count, 1, "wins")) {
        for (std::uint64_t k = 0; k < count && in.ok(); ++k) {
            m.wins.push_back(static_cast<std::uint32_t>(in.number(0xFFFFFFFFull, "wins")));
        }
    }
}

void readStart(ByteReader& in, Message& m)
{
    m.text = in.blob(Tool::MatchHeader::MAX_BYTES, "match header");
    m.step = static_cast<std::uint32_t>(in.number(MAX_STEP, "step"));
    m.moveTimeMs = static_cast<std::uint32_t>(in.number(60000, "step time"));
    const std::uint64_t mine = in.number(Protocol::MAX_LOCAL_SEATS, "seat count");
    for (std::uint64_t k = 0; k < mine && in.ok(); ++k) {
        m.players.push_back(
            static_cast<std::uint16_t>(in.number(Protocol::MAX_PEOPLE - 1, "seat")));
    }
    const std::uint64_t names = in.number(MAX_LISTED, "name count");
    if (in.canHold(names, 1, "names")) {
        for (std::uint64_t k = 0; k < names && in.ok(); ++k) {
            m.names.push_back(in.text(Protocol::MAX_NAME, "name"));
        }
    }
    readWins(in, m);
}

void readStep(ByteReader& in, Message& m)
{
    m.step = static_cast<std::uint32_t>(in.number(MAX_STEP, "step"));
    const std::uint64_t count = in.number(Protocol::MAX_PEOPLE, "heading count");
    for (std::uint64_t k = 0; k < count && in.ok(); ++k) {
        StepHeading h;
        h.player = static_cast<std::uint16_t>(in.number(Protocol::MAX_PEOPLE - 1, "player"));
        h.heading = heading(in);
        m.headings.push_back(h);
    }
    const std::uint64_t handed = in.number(Protocol::MAX_PEOPLE, "hand-over count");
    for (std::uint64_t k = 0; k < handed && in.ok(); ++k) {
        m.handOvers.push_back(
            static_cast<std::uint16_t>(in.number(Protocol::MAX_PEOPLE - 1, "hand-over")));
    }
    m.checksum = in.u64();
}

void readBody(ByteReader& in, Message& m)
{
    switch (m.type) {
    case MessageType::HELLO:
        m.version = in.u32();
        m.text = in.text(Protocol::MAX_NAME, "name");
        m.seats = in.u8();
        m.token = in.u64();
        break;
    case MessageType::CHALLENGE:
    case MessageType::PROOF:
        in.raw(m.bytes.data(), m.bytes.size());
        break;
    case MessageType::WELCOME:
        m.token = in.u64();
        break;
    case MessageType::REFUSED: {
        const std::uint8_t code = in.u8();
        if (code < static_cast<std::uint8_t>(RefusalCode::MISMATCH) ||
            code > static_cast<std::uint8_t>(RefusalCode::BAD_REQUEST)) {
            in.fail("refusal code out of range");
        }
        m.code = static_cast<RefusalCode>(code);
        m.text = in.text(Protocol::MAX_REASON, "reason");
        break;
    }
    case MessageType::READY:
        m.flag = in.number(1, "ready flag") == 1;
        break;
    case MessageType::LOBBY: {
        m.flag = in.number(1, "running flag") == 1;
        const std::uint64_t count = in.number(Protocol::MAX_PEOPLE * 4, "lobby size");
        for (std::uint64_t k = 0; k < count && in.ok(); ++k) {
            LobbyEntry e;
            e.name = in.text(Protocol::MAX_NAME, "name");
            e.pingMs = in.u16();
            e.ready = in.number(1, "ready flag") == 1;
            e.seats = static_cast<std::uint8_t>(in.number(Protocol::MAX_LOCAL_SEATS, "seats"));
            m.lobby.push_back(e);
        }
        break;
    }
    case MessageType::START:
        readStart(in, m);
        break;
    case MessageType::INPUT: {
        const std::uint64_t count = in.number(Protocol::MAX_INPUTS_PER_MESSAGE, "input count");
        for (std::uint64_t k = 0; k < count && in.ok(); ++k) {
            SeatInput i;
            i.step = static_cast<std::uint32_t>(in.number(MAX_STEP, "step"));
            i.player = static_cast<std::uint16_t>(in.number(0xFFFF, "player"));
            i.heading = heading(in);
            m.inputs.push_back(i);
        }
        break;
    }
    case MessageType::STEP:
        readStep(in, m);
        break;
    case MessageType::STATE_REQUEST:
        m.step = static_cast<std::uint32_t>(in.number(MAX_STEP, "step"));
        break;
    case MessageType::FULL_STATE:
        m.step = static_cast<std::uint32_t>(in.number(MAX_STEP, "step"));
        readState(in, m.state);
        break;
    case MessageType::END:
        m.text = in.text(Protocol::MAX_REASON, "result");
        readWins(in, m);
        break;
    case MessageType::CLOSING:
        m.text = in.text(Protocol::MAX_REASON, "reason");
        break;
    case MessageType::LEAVE:
        break;
    }
}

} // namespace

std::vector<std::uint8_t> MessageCodec::encode(const Message& message)
{
    ByteWriter out;
    out.u8(static_cast<std::uint8_t>(message.type));
    writeBody(out, message);
    return std::move(out.buffer());
}

bool MessageCodec::decode(const std::uint8_t* data, std::size_t size, std::size_t limit,
                          Message& message, std::string& error)
{
    if (size == 0 || data == nullptr) {
        error = "empty message";
        return false;
    }
    if (size > limit) {
        error = "message of " + std::to_string(size) + " bytes is over the limit of " +
                std::to_string(limit);
        return false;
    }
    ByteReader in(data, size);
    const std::uint8_t type = in.u8();
    if (type < static_cast<std::uint8_t>(MessageType::HELLO) ||
        type > static_cast<std::uint8_t>(MessageType::CLOSING)) {
        error = "unknown message type " + std::to_string(type);
        return false;
    }
    Message read;
    read.type = static_cast<MessageType>(type);
    readBody(in, read);
    if (in.ok() && in.remaining() != 0) {
        in.fail(std::to_string(in.remaining()) + " bytes left over");
    }
    if (!in.ok()) {
        error = in.reason();
        return false;
    }
    message = std::move(read);
    return true;
}

} // namespace Online
