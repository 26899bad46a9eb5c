#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "Protocol.h"
#include "app/match/Match.h"

namespace Online {

// Every message of the protocol, in the order a session meets them.
// Client to server: HELLO, PROOF, READY, INPUT, STATE_REQUEST, LEAVE.
// Server to client: CHALLENGE, WELCOME, REFUSED, LOBBY, START, STEP,
// FULL_STATE, END, CLOSING.
enum class MessageType : std::uint8_t {
    HELLO = 1,
    CHALLENGE,
    PROOF,
    WELCOME,
    REFUSED,
    READY,
    LOBBY,
    START,
    INPUT,
    STEP,
    STATE_REQUEST,
    FULL_STATE,
    END,
    LEAVE,
    CLOSING,
};

// Why a join was refused; the text beside it says it in words.
enum class RefusalCode : std::uint8_t { MISMATCH = 1, FULL, WRONG_PASSWORD, BAD_REQUEST };

// One connected client as the lobby shows it.
struct LobbyEntry {
    std::string name;
    std::uint16_t pingMs = 0;
    bool ready = false;
    std::uint8_t seats = 0;
};

// A heading a client asks for one of its players at the step it means.
struct SeatInput {
    std::uint32_t step = 0;
    std::uint16_t player = 0;
    std::uint8_t heading = 0;
};

// A heading the server applied at a step.
struct StepHeading {
    std::uint16_t player = 0;
    std::uint8_t heading = 0;
};

// One decoded message: type says which fields carry meaning.
// - HELLO: version, text (name), seats, token (0: a new join).
// - CHALLENGE: bytes (the server's nonce). PROOF: bytes (the keyed hash).
// - WELCOME: token (to come back with). REFUSED: code, text.
// - READY: flag. LOBBY: lobby, flag (a match is running).
// - START: text (the match header), step (first step, 0), players (the
//   receiver's player numbers in local-seat order), names and wins (per
//   player number), moveTimeMs.
// - INPUT: inputs. STEP: step, headings, handOvers (players a computer
//   player steers from this step on), checksum (after the step).
// - STATE_REQUEST: step (the client's last authoritative one).
// - FULL_STATE: step, state, handOvers (every player handed over so far).
// - END: text (the result, "DRAW" or "WIN=n"), wins.
// - LEAVE: nothing. CLOSING: text (why the server goes).
struct Message {
    MessageType type = MessageType::LEAVE;
    std::uint32_t version = 0;
    std::string text;
    std::uint8_t seats = 0;
    std::uint64_t token = 0;
    std::array<std::uint8_t, Protocol::NONCE_BYTES> bytes{};
    RefusalCode code = RefusalCode::BAD_REQUEST;
    bool flag = false;
    std::vector<LobbyEntry> lobby;
    std::uint32_t step = 0;
    std::uint32_t moveTimeMs = 0;
    std::vector<SeatInput> inputs;
    std::vector<StepHeading> headings;
    std::vector<std::uint16_t> handOvers;
    std::uint64_t checksum = 0;
    std::vector<std::uint16_t> players;
    std::vector<std::string> names;
    std::vector<std::uint32_t> wins;
    Tool::MatchState state;
};

} // namespace Online
