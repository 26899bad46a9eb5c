#include "OnlineFixture.h"

using Online::MessageType;
using Online::RefusalCode;
using Phase = Online::ClientSession::Phase;

namespace {

bool over(const Online::ClientSession& client)
{
    return client.phase() == Phase::OVER;
}

} // namespace

TEST_F(OnlineFixture, JoinsThatCannotBeTakenAreRefusedWithTheirReason)
{
    struct Case {
        const char* row;
        int maxClients;
        const char* serverPassword;
        const char* password; // of the client under test
        int seats;
        bool firstClient; // another client (1 seat) joined before it
        RefusalCode code;
        const char* reason;
    };
    const Case cases[] = {
        {"no room for another client", 1, "", "", 1, true, RefusalCode::FULL, "Full"},
        {"no seat left", 8, "", "", 4, true, RefusalCode::FULL, "Full: 1 of 4 seats"},
        {"a wrong password", 8, "sesame", "open", 1, false, RefusalCode::WRONG_PASSWORD,
         "Wrong password"},
        {"no password for a closed server", 8, "sesame", "", 1, false, RefusalCode::WRONG_PASSWORD,
         "Wrong password"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        Online::ServerOptions options = quickOptions();
        options.maxClients = c.maxClients;
        options.password = c.serverPassword;
        startServer(options);
        if (c.firstClient) {
            Online::ClientSession& first = addClient("first", 1, c.serverPassword);
            ASSERT_TRUE(pumpUntil([&] { return joined(first); }));
        }
        Online::ClientSession& late = addClient("late", c.seats, c.password);
        ASSERT_TRUE(pumpUntil([&] { return late.phase() == Phase::REFUSED; }));
        EXPECT_EQ(c.code, late.refusal());
        EXPECT_NE(std::string::npos, late.reason().find(c.reason)) << late.reason();
        EXPECT_EQ(std::string::npos, log.str().find("sesame")) << "the password is never logged";
        reset();
    }
    // The right password joins.
    Online::ServerOptions options = quickOptions();
    options.password = "sesame";
    startServer(options);
    Online::ClientSession& member = addClient("member", 1, "sesame");
    EXPECT_TRUE(pumpUntil([&] { return joined(member); }));
    reset();
    // Another protocol version: "Mismatch".
    startServer(quickOptions());
    RawPeer& stranger = addRawPeer();
    ASSERT_TRUE(pumpUntil([&] { return stranger.connected; }));
    Online::Message hello;
    hello.type = MessageType::HELLO;
    hello.version = Online::Protocol::VERSION + 1;
    hello.seats = 1;
    stranger.send(hello);
    ASSERT_TRUE(pumpUntil([&] { return stranger.last(MessageType::REFUSED) != nullptr; }));
    EXPECT_EQ(RefusalCode::MISMATCH, stranger.last(MessageType::REFUSED)->code);
    EXPECT_NE(std::string::npos, stranger.last(MessageType::REFUSED)->text.find("Mismatch"));
}

TEST_F(OnlineFixture, APeerThatBreaksTheRulesIsCountedThenCutOffAndItsSeatHandedOver)
{
    Online::ServerOptions options = quickOptions();
    options.setup.gridWidth = 60;
    options.setup.gridHeight = 60;
    options.moveTime = 0.05;
    options.rateLimit = 20;
    options.malformedLimit = 3;
    startServer(options);
    Online::ClientSession& ann = addClient("ann");
    ASSERT_TRUE(pumpUntil([&] { return joined(ann); }));
    RawPeer& rogue = addRawPeer();
    ASSERT_TRUE(pumpUntil([&] { return rogue.connected; }));
    Online::Message message;
    message.type = MessageType::HELLO;
    message.version = Online::Protocol::VERSION;
    message.text = "rogue";
    message.seats = 1;
    rogue.send(message);
    ASSERT_TRUE(pumpUntil([&] { return rogue.last(MessageType::WELCOME) != nullptr; }));
    message = Online::Message();
    message.type = MessageType::READY;
    message.flag = true;
    rogue.send(message);
    ann.setReady(true);
    ASSERT_TRUE(pumpUntil([&] { return rogue.last(MessageType::START) != nullptr; }));
    ASSERT_EQ(std::vector<std::uint16_t>{1}, rogue.last(MessageType::START)->players);
    // Ann's seat is not the rogue's: its turn of player 0 is dropped.
    message = Online::Message();
    message.type = MessageType::INPUT;
    message.inputs = {{3, 0, Tool::UP}};
    rogue.send(message);
    ASSERT_TRUE(pumpUntil([&] { return server->counters().droppedInputs >= 1; }));
    // A flood over the rate: some of it is not even read.
    for (int k = 0; k < 100; ++k) {
        rogue.send(std::vector<std::uint8_t>{static_cast<std::uint8_t>(MessageType::READY), 1});
    }
    ASSERT_TRUE(pumpUntil([&] { return server->counters().rateLimited > 0; }));
    // Garbage past the limit, once the bucket has filled again.
    pumpUntil([] { return false; }, 2.5);
    for (int k = 0; k < 3; ++k) {
        rogue.send(std::vector<std::uint8_t>{0xFF, 0x00, 0x13});
    }
    ASSERT_TRUE(pumpUntil([&] { return server->counters().disconnectedPeers == 1; }));
    EXPECT_EQ(3u, server->counters().malformed);
    ASSERT_TRUE(pumpUntil([&] { return ann.handedOver(1) || over(ann); }));
    EXPECT_TRUE(ann.handedOver(1)) << "the rogue's seat plays on as a computer player";
    EXPECT_NE(Tool::UP, server->match()->getPlayer(0).heading);
}

TEST_F(OnlineFixture, AVanishedClientsSeatIsHandedOverAndItsTokenTakesItBack)
{
    Online::ServerOptions options = quickOptions();
    options.setup.gridWidth = 40;
    options.setup.gridHeight = 40;
    startServer(options);
    Online::ClientSession& ann = addClient("ann");
    addClient("bob");
    ASSERT_TRUE(pumpUntil([&] { return joined(ann) && joined(*clients[1]); }));
    const std::uint64_t bobsToken = clients[1]->token();
    ASSERT_NE(0u, bobsToken);
    ann.setReady(true);
    clients[1]->setReady(true);
    ASSERT_TRUE(pumpUntil([&] { return ann.phase() == Phase::MATCH; }));
    clients[1].reset(); // gone without a goodbye
    ASSERT_TRUE(pumpUntil([&] { return ann.handedOver(1) || over(ann); }));
    EXPECT_TRUE(ann.handedOver(1));
    EXPECT_NE(std::string::npos, log.str().find("leave bob clients=1 (lost)")) << log.str();
    ASSERT_TRUE(pumpUntil([&] { return over(ann); }, 30));
    EXPECT_EQ(server->match()->checksum(), ann.match().checksum())
        << "the client plays the handed-over seat as the server does";
    EXPECT_EQ(0u, ann.counters().desyncs);
    // Back within the window with the token: the same seat at the next match.
    Online::ClientSession& back = addClient("someone else", 1, "", bobsToken);
    ASSERT_TRUE(pumpUntil([&] { return joined(back); }));
    EXPECT_NE(std::string::npos, log.str().find("join bob seats=1 clients=2 (back)")) << log.str();
    ann.setReady(true);
    back.setReady(true);
    ASSERT_TRUE(pumpUntil([&] { return back.phase() == Phase::MATCH; }));
    EXPECT_EQ(std::vector<int>{1}, back.myPlayers());
    EXPECT_EQ("bob", back.names()[1]);
    EXPECT_FALSE(back.handedOver(1));
}

TEST_F(OnlineFixture, AForcedDesyncIsHealedByTheFullState)
{
    Online::ServerOptions options = quickOptions();
    // Large enough that the full state is many times a client message.
    options.setup.gridWidth = 100;
    options.setup.gridHeight = 60;
    options.setup.levels = {0, 0, 0, 2};
    options.setup.colors.assign(4, Util::RGBA(0, 255, 0, 255));
    startServer(options);
    Online::ClientSession& ann = addClient("ann");
    ASSERT_TRUE(pumpUntil([&] { return joined(ann); }));
    ann.setReady(true);
    ASSERT_TRUE(pumpUntil([&] { return ann.phase() == Phase::MATCH && ann.confirmedStep() > 2; }));
    ann.corruptForTest();
    ASSERT_TRUE(pumpUntil([&] { return over(ann); }, 30));
    EXPECT_EQ(1u, ann.counters().desyncs);
    EXPECT_EQ(1u, ann.counters().fullStateRequests);
    EXPECT_EQ(1u, ann.counters().fullStatesApplied);
    EXPECT_EQ(1u, server->counters().fullStatesSent);
    EXPECT_EQ(server->match()->checksum(), ann.match().checksum());
    EXPECT_EQ(server->match()->result(), ann.lastResult());
}

TEST_F(OnlineFixture, AClientSaysWhyItsServerWent)
{
    struct Case {
        const char* row;
        bool drain; // else the server just vanishes
        const char* reason;
    };
    const Case cases[] = {
        {"a server that shuts down says so", true, "the server closed: maintenance"},
        {"a server that vanishes is missed", false, "the server went away"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        startServer(quickOptions());
        Online::ClientSession& ann = addClient("ann");
        ASSERT_TRUE(pumpUntil([&] { return joined(ann); }));
        if (c.drain) {
            server->drain("maintenance", now());
            ASSERT_TRUE(pumpUntil([&] { return server->isClosed(); }));
        }
        server.reset();
        ASSERT_TRUE(pumpUntil([&] { return ann.phase() == Phase::LOST; }));
        EXPECT_EQ(c.reason, ann.reason());
        reset();
    }
    Online::ClientOptions nowhere;
    nowhere.port = 9; // nothing listens there
    nowhere.timeout = 0.5;
    Online::ClientSession lonely(nowhere, network.endpoint());
    const double until = now() + 10;
    while (lonely.phase() == Phase::CONNECTING && now() < until) {
        network.advance(TICK);
        lonely.service(now());
    }
    EXPECT_EQ(Phase::LOST, lonely.phase());
    EXPECT_NE(std::string::npos, lonely.reason().find("cannot reach a server at 127.0.0.1:9"))
        << lonely.reason();
}
