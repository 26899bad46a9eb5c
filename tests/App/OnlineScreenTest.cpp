// An online client's own pieces without a network: the words it shows in
// each phase, and the turns its people's keys send.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Devices/Joypad.h"
#include "GameFixture.h"
#include "app/match/Headings.h"
#include "app/match/Match.h"
#include "app/onlinegame/OnlineAddress.h"
#include "app/onlinegame/OnlineSteering.h"
#include "app/views/OnlineTextView.h"

namespace {

using Tool::OnlineScreen;

class OnlineWordsTest : public GameFixture {
protected:
    std::vector<std::string> texts(OnlineScreen& screen)
    {
        Tool::OnlineTextView view(manager.get(), screen);
        view.setScreenSize(800, 600);
        std::vector<std::string> out;
        for (const Tool::ScreenLayout::Placed& line : view.layout().texts) {
            out.push_back(line.text);
        }
        return out;
    }
};

TEST_F(OnlineWordsTest, EachPhaseSaysWhereTheClientIs)
{
    OnlineScreen lobby;
    lobby.phase = OnlineScreen::LOBBY;
    lobby.server = "127.0.0.1:4040";
    lobby.clients = {{"ADA", 12, true}, {"BOB", 250, false}};
    lobby.leaveName = "q";
    OnlineScreen ready = lobby;
    ready.ready = true;
    ready.running = true;
    OnlineScreen refused;
    refused.phase = OnlineScreen::REFUSED;
    refused.reason = "WRONG PASSWORD";
    OnlineScreen lost;
    lost.phase = OnlineScreen::LOST;
    lost.reason = "NO ANSWER";
    OnlineScreen joining;
    joining.server = "[::1]:9";
    OnlineScreen left;
    left.phase = OnlineScreen::LEFT;
    const std::string dot = " \xC2\xB7 ";
    struct Case {
        const char* name;
        OnlineScreen screen;
        std::vector<std::string> lines;
    };
    const std::vector<Case> cases = {
        {"lobby",
         lobby,
         {"VEKTRA ONLINE", "127.0.0.1:4040", "ADA  12 MS  READY", "BOB  250 MS",
          "SPACE READY" + dot + "Q LEAVE" + dot + "ESC QUIT"}},
        {"ready while a match runs",
         ready,
         {"VEKTRA ONLINE", "127.0.0.1:4040", "ADA  12 MS  READY", "BOB  250 MS",
          "A MATCH IS RUNNING", "SPACE NOT READY" + dot + "Q LEAVE" + dot + "ESC QUIT"}},
        {"joining", joining, {"VEKTRA ONLINE", "JOINING [::1]:9", "ESC QUIT"}},
        {"refused", refused, {"REFUSED", "WRONG PASSWORD", "ESC QUIT"}},
        {"lost", lost, {"SERVER LOST", "NO ANSWER", "SPACE REJOIN" + dot + "ESC QUIT"}},
        {"left", left, {"LEFT THE SERVER", "ESC QUIT"}},
    };
    for (Case c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.lines, texts(c.screen));
    }
}

TEST_F(OnlineWordsTest, NamesWinsAndTheResultInThePlayersColours)
{
    OnlineScreen screen;
    screen.phase = OnlineScreen::MATCH;
    screen.names = {"ADA", "", "BOB"};
    screen.wins = {2, 0, 1};
    screen.colors = {Util::RGBA(255, 0, 0, 255), Util::RGBA(0, 255, 0, 255),
                     Util::RGBA(0, 0, 255, 255)};
    screen.mine = {0};
    Tool::OnlineTextView view(manager.get(), screen);
    view.setScreenSize(800, 600);
    const std::vector<Tool::ScreenLayout::Placed> match = view.layout().texts;
    ASSERT_EQ(3u, match.size());
    // This window's one seat is "YOU"; a seat nobody holds is named by its
    // number; each label in its own third, in its player's hue.
    EXPECT_EQ("YOU 2", match[0].text);
    EXPECT_EQ("P2 0", match[1].text);
    EXPECT_EQ("BOB 1", match[2].text);
    EXPECT_EQ(255, match[2].color.b);
    EXPECT_LT(match[2].color.r, match[2].color.b);
    EXPECT_GT(match[1].box.left, 800 / 3);
    EXPECT_LT(match[1].box.right(), 2 * 800 / 3);

    // Back in the lobby the frozen arena keeps the names and says who won,
    // in this window's terms.
    screen.phase = OnlineScreen::LOBBY;
    const std::vector<std::pair<std::string, std::string>> results = {
        {"WIN=2", "YOU LOSE \xC2\xB7 BOB WINS"}, {"WIN=0", "YOU WIN"}, {"DRAW", "DRAW"}};
    for (const auto& result : results) {
        screen.result = result.first;
        const std::vector<Tool::ScreenLayout::Placed> after = view.layout().texts;
        ASSERT_GE(after.size(), 4u);
        EXPECT_EQ(result.second, after[3].text);
    }
    screen.result = "WIN=2";
    EXPECT_EQ(255, view.layout().texts[3].color.b) << "in the winner's colour";
    screen.mine.clear();
    EXPECT_EQ("BOB WINS", view.layout().texts[3].text) << "a window that plays no seat";
}

TEST(OnlineWordsWrapTest, AReasonInShortLines)
{
    const std::string x36(36, 'x');
    const std::vector<std::pair<std::string, std::vector<std::string>>> rows = {
        {"", {}},
        {"NO ANSWER", {"NO ANSWER"}},
        {"Full: 4 of 4 seats and 2 of 16 clients taken",
         {"Full: 4 of 4 seats and 2 of 16", "clients taken"}},
        {std::string(200, 'x'), {x36, x36, x36, x36, x36 + "..."}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.first);
        EXPECT_EQ(row.second, Tool::OnlineTextView::wrap(row.first));
    }
}

class OnlineSteeringTest : public GameFixture {
protected:
    // Two players on a 16 x 12 grid; local seat 0 steers player 1.
    OnlineSteeringTest() : match(setup()) { match.start(setup()); }

    static Tool::MatchSetup setup()
    {
        Tool::MatchSetup setup;
        setup.gridWidth = 16;
        setup.gridHeight = 12;
        setup.humans = 0;
        setup.levels = {0, 0};
        setup.startRandom = 7;
        setup.decisionRandom = 7;
        // As the server plays online: every turn straight back dropped.
        setup.reversals = Tool::ReversalPolicy::DROPPED;
        return setup;
    }

    std::vector<int> turnsNow(Tool::OnlineSteering& steering, std::vector<int> players = {1})
    {
        std::vector<int> headings;
        for (const Tool::OnlineSteering::Turn& turn : steering.turns(match, players)) {
            EXPECT_EQ(0, turn.seat);
            headings.push_back(turn.heading);
        }
        return headings;
    }

    Tool::Match match;
};

unsigned char codeOf(int heading)
{
    const unsigned char codes[4] = {CODE_UP, CODE_DOWN, CODE_LEFT, CODE_RIGHT};
    return codes[heading];
}

TEST_F(OnlineSteeringTest, HeldKeysSendEachTurnOnceAndNeverIntoTheTrail)
{
    Tool::OnlineSteering steering;
    Tool::MatchOptions options;
    steering.start(options, 1);
    const int heading = match.getPlayer(1).heading;
    const int side = Tool::TURN_ODD[heading];
    EXPECT_TRUE(turnsNow(steering).empty()) << "no key down";
    key(codeOf(heading), true);
    EXPECT_TRUE(turnsNow(steering).empty()) << "the heading it has";
    key(codeOf(heading), false);

    key(codeOf(side), true);
    EXPECT_EQ(std::vector<int>{side}, turnsNow(steering));
    EXPECT_TRUE(turnsNow(steering).empty()) << "held until the step shows it: sent once";
    EXPECT_TRUE(turnsNow(steering, {0, 1}).empty()) << "seat 0 steers player 0 now";
    EXPECT_TRUE(turnsNow(steering, {7}).empty()) << "no such player";
    key(codeOf(side), false);

    match.step(Tool::MatchInputs());
    ASSERT_TRUE(match.getPlayer(1).alive);
    key(codeOf(Tool::BACK[match.getPlayer(1).heading]), true);
    EXPECT_TRUE(turnsNow(steering).empty()) << "straight back into its own trail";
}

TEST_F(OnlineSteeringTest, ASeatsPadHasTheLastWordOverItsKeys)
{
    settings("JOY_P1 == 1\n");
    Devices::Joypad joypad;
    Devices::setJoypad(&joypad);
    Tool::OnlineSteering steering;
    std::ostream quiet(nullptr);
    steering.start(Tool::MatchOptions::read(2, quiet), 1);
    const int heading = match.getPlayer(1).heading;
    const int dpad[4] = {Devices::Joypad::DPAD_UP, Devices::Joypad::DPAD_DOWN,
                         Devices::Joypad::DPAD_LEFT, Devices::Joypad::DPAD_RIGHT};
    key(codeOf(Tool::TURN_ODD[heading]), true);
    joypad.setButton(0, dpad[Tool::TURN_EVEN[heading]], true);
    steering.updatePads();
    EXPECT_EQ(std::vector<int>{Tool::TURN_EVEN[heading]}, turnsNow(steering));
    Devices::setJoypad(nullptr);
}

TEST_F(OnlineSteeringTest, TheTurnBufferSendsOnePressPerStep)
{
    settings("TURN_BUFFER == YES\n");
    Tool::OnlineSteering steering;
    std::ostream quiet(nullptr);
    steering.start(Tool::MatchOptions::read(2, quiet), 1);
    const int heading = match.getPlayer(1).heading;
    const int side = Tool::TURN_ODD[heading];
    steering.press(codeOf(side));
    steering.press(codeOf(heading));
    EXPECT_EQ(std::vector<int>{side}, turnsNow(steering)) << "a press, not a held key";
    steering.press(codeOf(Tool::TURN_EVEN[heading]));
    EXPECT_TRUE(turnsNow(steering).empty()) << "the next waits for the step";
    match.step(Tool::MatchInputs());
    // The press of the heading it keeps is spent without a turn.
    EXPECT_TRUE(turnsNow(steering).empty());
    match.step(Tool::MatchInputs());
    ASSERT_TRUE(match.getPlayer(1).alive);
    EXPECT_EQ(std::vector<int>{Tool::TURN_EVEN[heading]}, turnsNow(steering));
}

} // namespace

namespace {

TEST(OnlineAddressTest, HostAndPortOrAClearReason)
{
    struct Case {
        const char* text;
        bool ok;
        const char* host;
        int port;
    };
    const Case cases[] = {
        {"127.0.0.1", true, "127.0.0.1", 4040},
        {"example.org:1", true, "example.org", 1},
        {"localhost:65535", true, "localhost", 65535},
        {"", false, "", 0},
        {":4040", false, "", 0},
        {"host:", false, "", 0},
        {"host:0", false, "", 0},
        {"host:65536", false, "", 0},
        {"host:99999999999999999999", false, "", 0},
        {"host:12ab", false, "", 0},
        {"host:-1", false, "", 0},
        {"::1", false, "", 0},
        {"[::1]:4040", false, "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Tool::OnlineAddress address;
        std::string error;
        ASSERT_EQ(c.ok, Tool::OnlineAddress::parse(c.text, 4040, address, error));
        if (c.ok) {
            EXPECT_EQ(c.host, address.host);
            EXPECT_EQ(c.port, address.port);
            EXPECT_TRUE(error.empty());
        } else {
            EXPECT_FALSE(error.empty());
        }
    }
}

} // namespace
