// The online client as the game runs it: the whole game on the headless
// platform with "CONNECT", joined to a server in this process on 127.0.0.1
// at an ephemeral port of a network in memory, whose simulated clock moves
// a frame's time every frame; every loop is bounded by its frame limit.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <sstream>
#include <string>

#include "Events/EventBus.h"
#include "Events/EventType.h"
#include "Events/Event_Key.h"
#include "Game/GameManager.h"
#include "Game/I_GameUpdated.h"
#include "Game/LogicController.h"
#include "Support/GlobalStateGuard.h"
#include "Support/Net/MemoryNetwork.h"
#include "Support/TempDir.h"
#include "app/VektraGame.h"
#include "app/input/MatchOptions.h"
#include "app/match/Headings.h"
#include "app/online/ClientSession.h"
#include "app/online/ServerSession.h"
#include "app/onlinegame/OnlineLogic.h"
#include "app/tools/HeadlessVektra.h"

namespace {

using Phase = Online::ClientSession::Phase;
using Tool::OnlineScreen;

constexpr unsigned char SPACE = 32;
constexpr unsigned char ESC = 27;
constexpr int FRAME_LIMIT = 3000;
constexpr double FRAME_SECONDS = 0.016;

void press(unsigned char code, bool down = true)
{
    EVT::Event_Key event(code, down, 0);
    EVT::EventBus::instance().raiseEvent(&event, false);
}

// Moves the network's clock a frame on and runs the server beside the game,
// once per frame, and hands each frame to the test's own look at the game.
class Beside : public Game::I_GameUpdated {
public:
    Beside(TestSupport::MemoryNetwork& network, std::unique_ptr<Online::ServerSession>& server,
           std::function<void(Tool::OnlineLogic&)> look)
        : network(network), server(server), look(std::move(look))
    {
    }
    void onGameUpdated(const float&) override
    {
        network.advance(FRAME_SECONDS);
        if (server) {
            server->service(network.now());
        }
        look(*logic);
    }

    TestSupport::MemoryNetwork& network;
    // Read at every frame: a test may end the server in the middle.
    std::unique_ptr<Online::ServerSession>& server;
    std::function<void(Tool::OnlineLogic&)> look;
    Tool::OnlineLogic* logic = nullptr;
};

class OnlineClientTest : public ::testing::Test {
protected:
    OnlineClientTest()
    {
        Tool::OnlineLogic::useTransports([this] { return network.endpoint(); });
    }
    ~OnlineClientTest() override { Tool::OnlineLogic::useTransports(nullptr); }

    // A 16 x 12 arena, three players with colours, classic computer players
    // and a step every 30 ms.
    void startServer(const std::string& password = "", std::uint16_t port = 0)
    {
        Online::ServerOptions options;
        options.port = port;
        options.setup.gridWidth = 16;
        options.setup.gridHeight = 12;
        options.setup.playerCount = 3;
        options.setup.levels.assign(3, 0);
        options.setup.colors = {Util::RGBA(255, 0, 0, 255), Util::RGBA(0, 255, 0, 255),
                                Util::RGBA(0, 0, 255, 255)};
        options.moveTime = 0.03;
        options.startWait = 0;
        options.password = password;
        server.reset(new Online::ServerSession(options, serverLog, network.endpoint()));
        std::string error;
        ASSERT_TRUE(server->open(error)) << error;
    }

    // Plays the game with the extra settings until look ends it (Escape) or
    // the frame limit; returns the frames run.
    int play(const std::string& extra, std::function<void(Tool::OnlineLogic&)> look)
    {
        const std::string settings =
            dir.write("vektra.cfg", "SCREEN_WIDTH == 160\nSCREEN_HEIGHT == 120\nFRAME_RATE == 60\n"
                                    "GAME_SPEED == 1.0\nFLASH_TIME == 100\nKEY_MOVE_UP == UP\n"
                                    "KEY_MOVE_DOWN == DOWN\nKEY_MOVE_LEFT == LEFT\n"
                                    "KEY_MOVE_RIGHT == RIGHT\nCONNECT == 127.0.0.1:" +
                                        std::to_string(server ? server->port() : 9) + "\n" + extra);
        Tool::HeadlessVektra game(FRAME_SECONDS, {}, FRAME_LIMIT, settings);
        Beside beside(network, server, std::move(look));
        beside.logic = Tool::onlineState(
            *dynamic_cast<Game::LogicController*>(game.manager.getLogicController()));
        EXPECT_EQ(nullptr, game.match) << "no local match state online";
        game.manager.addGameUpdated(&beside);
        game.run();
        game.manager.removeGameUpdated(&beside);
        return game.app.getFramesRun();
    }

    TestSupport::MemoryNetwork network;
    TestSupport::GlobalStateGuard global;
    TestSupport::TempDir dir;
    std::ostringstream serverLog;
    std::unique_ptr<Online::ServerSession> server;
};

TEST_F(OnlineClientTest, SpaceReadiesAMatchIsPlayedAndTheServersResultPrinted)
{
    startServer();
    bool listed = false;
    bool drawn = false;
    bool steered = false;
    int wanted = -1;
    const int frames = play("NAME == ada\n", [&](Tool::OnlineLogic& logic) {
        const OnlineScreen& screen = logic.getScreen();
        const Online::ClientSession& session = logic.getSession();
        if (screen.phase == OnlineScreen::LOBBY && screen.result.empty() && !screen.ready) {
            listed = screen.clients.size() == 1 && screen.clients[0].name == "ada";
            press(SPACE);
            press(SPACE, false);
        } else if (screen.phase == OnlineScreen::MATCH && !steered) {
            // One held key, released once the predicted copy shows the turn.
            drawn = logic.getView() != nullptr && screen.names.size() == 3 &&
                    screen.names[static_cast<std::size_t>(session.myPlayers()[0])] == "ada";
            const Tool::PlayerHead& head = session.match().getPlayer(session.myPlayers()[0]);
            const unsigned char keys[4] = {6, 7, 4, 5};
            if (wanted < 0) {
                wanted = Tool::TURN_ODD[head.heading];
                press(keys[wanted]);
            } else if (head.heading == wanted) {
                press(keys[wanted], false);
                steered = true;
            }
        } else if (screen.phase == OnlineScreen::LOBBY && !screen.result.empty()) {
            press(ESC);
        }
    });
    ASSERT_LT(frames, FRAME_LIMIT) << global.errors() << serverLog.str();
    EXPECT_TRUE(listed) << "the lobby lists the client by its NAME";
    EXPECT_TRUE(drawn) << "the arena drawn, the names on screen";
    EXPECT_TRUE(steered) << "the held key turned the own player";
    ASSERT_NE(nullptr, server->match());
    EXPECT_EQ(server->match()->result() + "\n", global.printed());
    EXPECT_EQ("", global.errors());
}

TEST_F(OnlineClientTest, RefusalsLostServersAndLeavingAreShownUntilEscape)
{
    struct Case {
        const char* name;
        std::string password;
        std::string settings;
        // What the test does once the client is in the lobby.
        std::function<void()> inLobby;
        OnlineScreen::Phase phase;
        const char* error;
    };
    const Case cases[] = {
        {"wrong password", "secret", "PASSWORD == guess\n", nullptr, OnlineScreen::REFUSED,
         "refused: "},
        {"server goes", "", "", [this] { server.reset(); }, OnlineScreen::LOST, "server lost: "},
        {"leave key", "", "KEY_LEAVE == q\n", [] { press('q'); }, OnlineScreen::LEFT, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        global.forget();
        startServer(c.password);
        OnlineScreen::Phase last = OnlineScreen::CONNECTING;
        bool arenaGone = true;
        std::string reason;
        const int frames = play(c.settings, [&](Tool::OnlineLogic& logic) {
            const OnlineScreen& screen = logic.getScreen();
            if (screen.phase == OnlineScreen::LOBBY && c.inLobby) {
                c.inLobby();
            } else if (screen.phase == c.phase) {
                last = screen.phase;
                reason = screen.reason;
                arenaGone = logic.getView() == nullptr;
                press(ESC);
            }
        });
        EXPECT_LT(frames, FRAME_LIMIT) << "Escape quits";
        EXPECT_EQ(c.phase, last);
        EXPECT_TRUE(arenaGone);
        EXPECT_EQ(c.phase == OnlineScreen::LEFT, reason.empty()) << reason;
        EXPECT_EQ(0u, global.errors().find(c.error)) << global.errors();
        EXPECT_EQ("", global.printed());
    }
}

TEST_F(OnlineClientTest, SpaceJoinsAgainAfterTheServerWasLost)
{
    startServer();
    const std::uint16_t port = server->port();
    int lobbies = 0;
    bool rejoining = false;
    const int frames = play("NAME == ada\n", [&](Tool::OnlineLogic& logic) {
        const OnlineScreen::Phase phase = logic.getScreen().phase;
        if (phase == OnlineScreen::LOBBY && !rejoining) {
            ++lobbies;
            rejoining = true;
            server.reset();
        } else if (phase == OnlineScreen::LOST) {
            // A server on the same port again, then Space.
            startServer("", port);
            press(SPACE);
        } else if (phase == OnlineScreen::LOBBY) {
            ++lobbies;
            press(ESC);
        }
    });
    EXPECT_LT(frames, FRAME_LIMIT) << global.errors();
    EXPECT_EQ(2, lobbies);
}

} // namespace
