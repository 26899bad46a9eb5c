#include <gtest/gtest.h>

#include "app/match/Match.h"
#include "app/online/MessageCodec.h"

using Online::Message;
using Online::MessageCodec;
using Online::MessageType;
using Online::Protocol;

namespace {

// One message of every type, with every field its type carries set to a
// value other than its default.
std::vector<Message> everyType()
{
    std::vector<Message> all;
    auto add = [&all](MessageType type) -> Message& {
        all.emplace_back();
        all.back().type = type;
        return all.back();
    };
    Message& hello = add(MessageType::HELLO);
    hello.version = Protocol::VERSION;
    hello.text = "Ann B.";
    hello.seats = 3;
    hello.token = 0x0123456789ABCDEFull;
    add(MessageType::CHALLENGE).bytes.fill(0xA5);
    add(MessageType::PROOF).bytes.fill(0x5A);
    add(MessageType::WELCOME).token = 77;
    Message& refused = add(MessageType::REFUSED);
    refused.code = Online::RefusalCode::FULL;
    refused.text = "Full: 4 of 4 seats";
    add(MessageType::READY).flag = true;
    Message& lobby = add(MessageType::LOBBY);
    lobby.flag = true;
    lobby.lobby = {{"ann", 150, true, 1}, {"bob", 3, false, 4}};
    Message& start = add(MessageType::START);
    start.text = "VEKTRA-MATCH 1\nMATCH==1\n\n";
    start.moveTimeMs = 60;
    start.players = {2, 3};
    start.names = {"ann", "", "bob", "bob"};
    start.wins = {0, 5, 1, 70000};
    Message& input = add(MessageType::INPUT);
    input.inputs = {{300, 2, 1}, {301, 3, 3}};
    Message& step = add(MessageType::STEP);
    step.step = 1234567;
    step.headings = {{0, 3}, {63, 0}};
    step.handOvers = {5};
    step.checksum = 0xFEDCBA9876543210ull;
    add(MessageType::STATE_REQUEST).step = 99;
    Message& full = add(MessageType::FULL_STATE);
    full.step = 12;
    Tool::MatchSetup setup;
    setup.gridWidth = 30;
    setup.gridHeight = 20;
    setup.playerCount = 3;
    setup.humans = 2;
    setup.levels.assign(3, 1);
    setup.colors.assign(3, Util::RGBA(255, 0, 0, 255));
    Tool::Match match(setup);
    match.start(setup);
    match.handOver(1);
    for (int k = 0; k < 12; ++k) {
        match.step(Tool::MatchInputs());
    }
    match.save(full.state);
    Message& end = add(MessageType::END);
    end.text = "WIN=2";
    end.wins = {1, 0, 3};
    add(MessageType::LEAVE);
    add(MessageType::CLOSING).text = "the server was stopped (SIGTERM)";
    return all;
}

bool decode(const std::vector<std::uint8_t>& bytes, Message& out, std::string& error,
            std::size_t limit = Protocol::MAX_SERVER_MESSAGE)
{
    return MessageCodec::decode(bytes.data(), bytes.size(), limit, out, error);
}

} // namespace

TEST(MessageCodecTest, EveryMessageComesBackAsItWasSent)
{
    for (const Message& sent : everyType()) {
        SCOPED_TRACE(static_cast<int>(sent.type));
        const std::vector<std::uint8_t> bytes = MessageCodec::encode(sent);
        Message got;
        std::string error;
        ASSERT_TRUE(decode(bytes, got, error)) << error;
        // Encoding what was read gives the same bytes: every field made the
        // trip (the encoder writes each field its type carries).
        EXPECT_EQ(bytes, MessageCodec::encode(got));
        EXPECT_EQ(sent.type, got.type);
    }
    // A spot check of fields against their literal values.
    const std::vector<Message> all = everyType();
    Message got;
    std::string error;
    ASSERT_TRUE(decode(MessageCodec::encode(all[0]), got, error));
    EXPECT_EQ("Ann B.", got.text);
    EXPECT_EQ(0x0123456789ABCDEFull, got.token);
    const Message& full = all[11];
    ASSERT_EQ(MessageType::FULL_STATE, full.type);
    ASSERT_TRUE(decode(MessageCodec::encode(full), got, error));
    EXPECT_EQ(full.state.step, got.state.step);
    EXPECT_EQ(2u, got.state.handedOver) << "player 1 handed over";
    EXPECT_EQ(full.state.cells, got.state.cells);
    EXPECT_EQ(full.state.owners, got.state.owners);
    EXPECT_EQ(full.state.cellsHash, got.state.cellsHash);
}

TEST(MessageCodecTest, EveryCutShortMessageIsRefused)
{
    for (const Message& sent : everyType()) {
        const std::vector<std::uint8_t> bytes = MessageCodec::encode(sent);
        for (std::size_t size = 0; size < bytes.size(); ++size) {
            Message got;
            std::string error;
            EXPECT_FALSE(
                MessageCodec::decode(bytes.data(), size, Protocol::MAX_SERVER_MESSAGE, got, error))
                << "type " << static_cast<int>(sent.type) << " cut to " << size;
            EXPECT_FALSE(error.empty());
        }
    }
}

TEST(MessageCodecTest, MalformedMessagesAreRefusedWithAReason)
{
    using Bytes = std::vector<std::uint8_t>;
    struct Case {
        Bytes bytes;
        const char* reason;
    };
    const Bytes ready = {6, 1};
    Bytes hugeName = {1, 1, 0, 0, 0, 200, 1}; // HELLO, version 1, a name of 200 bytes
    hugeName.resize(hugeName.size() + 200, 'a');
    const Case cases[] = {
        {{}, "empty message"},
        {{0}, "unknown message type 0"},
        {{16}, "unknown message type 16"},
        {{6, 1, 0}, "1 bytes left over"},
        {{6, 2}, "ready flag out of range"},
        {{1, 1, 0, 0, 0, 3, 'a', 10, 'b', 1, 0, 0, 0, 0, 0, 0, 0, 0}, "not printable"},
        {hugeName, "name out of range"},
        {{9, 33}, "input count out of range"},
        {{9, 1, 5, 0, 4}, "heading out of range"},
        {{10, 1, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}, "not a number"},
        {{5, 9, 0}, "refusal code out of range"},
        {{12, 0, 0xFF, 0xFF, 0x3F}, "more than the message holds"},
        {Bytes(Protocol::MAX_CLIENT_MESSAGE + 1, 6), "over the limit"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reason);
        Message got;
        got.step = 42;
        std::string error;
        EXPECT_FALSE(decode(c.bytes, got, error, Protocol::MAX_CLIENT_MESSAGE));
        EXPECT_NE(std::string::npos, error.find(c.reason)) << error;
        EXPECT_EQ(42u, got.step) << "a refused message changes nothing";
    }
    Message got;
    std::string error;
    EXPECT_TRUE(decode(ready, got, error)) << error;
}
