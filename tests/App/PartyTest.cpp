// The optional rules of party mode, each switched on by its own setting,
// run against the real match, title state and views.
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "Events/EventType.h"
#include "Game/ViewManager.h"
#include "GameFixture.h"
#include "Render/BlockFont.h"
#include "Support/EventRecorder.h"
#include "app/MainLogic.h"
#include "app/MainView.h"
#include "app/TitleLogic.h"
#include "app/settings/SettingsCheck.h"
#include "app/views/TextView.h"

namespace {

using Render::BlockFont;
using Tool::MainLogic;
using Tool::TextView;
using Placed = Tool::ScreenLayout::Placed;

constexpr unsigned char CODE_W = 'w';
constexpr unsigned char CODE_I = 'i';
constexpr unsigned char CODE_KP8 = 136;
constexpr unsigned char CODE_P = 'p';
constexpr unsigned char CODE_ESC = 27;

// Seat 2's keys w s a d, seat 3's i k j l, seat 4's on the keypad.
const char* const SEAT_KEYS = "KEY_P2_UP == w\nKEY_P2_DOWN == s\nKEY_P2_LEFT == a\n"
                              "KEY_P2_RIGHT == d\nKEY_P3_UP == i\nKEY_P3_DOWN == k\n"
                              "KEY_P3_LEFT == j\nKEY_P3_RIGHT == l\nKEY_P4_UP == KP8\n"
                              "KEY_P4_DOWN == KP5\nKEY_P4_LEFT == KP4\nKEY_P4_RIGHT == KP6\n";

class PartyTest : public GameFixture {
protected:
    void tap(unsigned char code)
    {
        key(code, true);
        key(code, false);
    }
    // One step (MOVE_TIME is 10).
    static std::string step(MainLogic& logic) { return logic.onUpdate(11); }

    static std::vector<std::string> texts(TextView& view)
    {
        std::vector<std::string> out;
        for (const Placed& line : view.layout().texts) {
            out.push_back(line.text);
        }
        return out;
    }
    static const Placed* find(TextView& view, const std::string& text)
    {
        for (const Placed& line : view.layout().texts) {
            if (line.text == text) {
                return &line;
            }
        }
        return nullptr;
    }
};

TEST_F(PartyTest, ColoursKeepTheOwnerOfEveryCellBesideAnUnchangedGrid)
{
    settings("NUM_PLAYERS == 3\nTURN_CHANCE == 20\nPLAYER_COLORS == 0xFF0000FF, 0x00FF00FF\n");
    MainLogic logic(manager.get());
    logic.onEnter("TITLE", "START");
    // A list shorter than the players starts over.
    ASSERT_EQ(3u, logic.getOptions().colors.size());
    EXPECT_EQ(Util::RGBA(255, 0, 0, 255), logic.getOptions().colors[2]);
    for (int i = 0; i < 200 && logic.getResult().empty(); ++i) {
        for (int k = 0; k < 3; ++k) {
            const MainLogic::Player& p = logic.getPlayer(k);
            if (p.alive) {
                ASSERT_EQ(k + 1, logic.getOwners()[p.y * 16 + p.x]) << "player " << k;
            }
        }
        step(logic);
    }
    int walls = 0, owned = 0;
    for (int index = 0; index < 16 * 12; ++index) {
        const unsigned char cell = logic.getGrid()[index];
        ASSERT_TRUE(cell == MainLogic::FREE || cell == MainLogic::BLOCKED);
        const int owner = logic.getOwners()[index];
        ASSERT_TRUE(owner == 0 || cell == MainLogic::BLOCKED) << "a free cell has an owner";
        walls += cell == MainLogic::BLOCKED && owner == 0 ? 1 : 0;
        owned += owner != 0 ? 1 : 0;
    }
    EXPECT_EQ(2 * 16 + 2 * 12 - 4, walls);
    EXPECT_GT(owned, 3);

    settings("");
    MainLogic classic(manager.get());
    classic.onEnter("TITLE", "START");
    EXPECT_TRUE(classic.getOwners().empty()) << "owners are kept only when colours are on";
}

TEST_F(PartyTest, HumanPlayersIsLimitedWithAMessageAndAColourMustBeANumber)
{
    struct Case {
        const char* setting;
        int players, humans;
        bool message;
    };
    const Case cases[] = {
        {"", 4, 1, false},
        {"HUMAN_PLAYERS == 0\n", 4, 0, false},
        {"HUMAN_PLAYERS == 3\n", 4, 3, false},
        {"HUMAN_PLAYERS == 3\n", 2, 2, true},
        {"HUMAN_PLAYERS == 6\n", 8, 4, true},
        {"HUMAN_PLAYERS == -1\n", 4, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.setting);
        global.forget();
        settings(std::string(c.setting) + "NUM_PLAYERS == " + std::to_string(c.players) + "\n");
        MainLogic logic(manager.get());
        logic.onEnter("TITLE", "START");
        logic.onEnter("TITLE", "START");
        EXPECT_EQ(c.humans, logic.getHumanPlayers());
        // Said once, by the settings check at start-up, not at a match start.
        EXPECT_EQ("", global.errors());
        int said = 0;
        for (const Tool::SettingProblem& problem :
             Tool::SettingsCheck::run(Tool::SettingRule::GAME)) {
            said += problem.key == "HUMAN_PLAYERS" ? 1 : 0;
        }
        EXPECT_EQ(c.message ? 1 : 0, said);
    }

    settings("PLAYER_COLORS == 0xFF0000FF, red\n");
    MainLogic logic(manager.get());
    EXPECT_THROW(logic.onEnter("TITLE", "START"), std::domain_error);
}

TEST_F(PartyTest, PeopleOnSeveralSeatsSteerAndAreNeverSteeredByTheComputer)
{
    // Computer players turn at every step; people never turn on their own.
    settings(std::string(SEAT_KEYS) + "NUM_PLAYERS == 4\nHUMAN_PLAYERS == 2\nTURN_CHANCE == 101\n");
    MainLogic two(manager.get());
    two.onEnter("TITLE", "START");
    step(two);
    EXPECT_EQ(MainLogic::RIGHT, two.getPlayer(0).heading);
    EXPECT_EQ(MainLogic::LEFT, two.getPlayer(1).heading);
    key(CODE_W, true);
    step(two);
    key(CODE_W, false);
    EXPECT_EQ(MainLogic::UP, two.getPlayer(1).heading);
    EXPECT_EQ(MainLogic::RIGHT, two.getPlayer(0).heading);

    // Four people, each with their own up key; one shared key turns both.
    settings(std::string(SEAT_KEYS) + "NUM_PLAYERS == 4\nHUMAN_PLAYERS == 4\nKEY_P3_UP == UP\n");
    MainLogic four(manager.get());
    four.onEnter("TITLE", "START");
    for (unsigned char code : {CODE_UP, CODE_W, CODE_KP8}) {
        key(code, true);
    }
    step(four);
    for (unsigned char code : {CODE_UP, CODE_W, CODE_KP8}) {
        key(code, false);
    }
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(MainLogic::UP, four.getPlayer(k).heading) << "player " << k;
    }
}

TEST_F(PartyTest, PeopleBeyondTheFixedStartsStartOnAFreeCellAwayFromTheWall)
{
    for (int seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE(seed);
        settings("NUM_PLAYERS == 4\nHUMAN_PLAYERS == 4\nGRID_WIDTH == 10\nGRID_HEIGHT == 8\n"
                 "GAME_SEED == " +
                 std::to_string(seed) + "\n");
        MainLogic logic(manager.get());
        logic.onEnter("TITLE", "START");
        for (int k = 2; k < 4; ++k) {
            const MainLogic::Player& p = logic.getPlayer(k);
            const int dx = p.heading == MainLogic::RIGHT ? 1 : -1;
            for (int other = 0; other < k; ++other) {
                EXPECT_FALSE(logic.getPlayer(other).x == p.x && logic.getPlayer(other).y == p.y);
            }
            // The wall ring is columns 0 and 9: two cells ahead are inside.
            EXPECT_GE(p.x + dx * 2, 1) << "player " << k;
            EXPECT_LE(p.x + dx * 2, 8) << "player " << k;
        }
    }
}

TEST_F(PartyTest, TheTurnBufferCountsPressesNotHeldKeys)
{
    struct Case {
        const char* name;
        std::vector<unsigned char> taps;
        std::vector<int> headings; // player 0's after each step
    };
    const Case cases[] = {
        {"tap between steps", {CODE_DOWN}, {MainLogic::DOWN, MainLogic::DOWN}},
        {"double tap, one per step", {CODE_DOWN, CODE_LEFT}, {MainLogic::DOWN, MainLogic::LEFT}},
        {"reversal dropped", {CODE_LEFT}, {MainLogic::RIGHT}},
        {"reversal dropped, the next press applies", {CODE_LEFT, CODE_UP}, {MainLogic::UP}},
        {"second press reverses the first", {CODE_UP, CODE_DOWN}, {MainLogic::UP, MainLogic::UP}},
        {"two presses at most",
         {CODE_DOWN, CODE_LEFT, CODE_UP},
         {MainLogic::DOWN, MainLogic::LEFT, MainLogic::LEFT}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        settings("TURN_BUFFER == YES\nGRID_WIDTH == 20\nGRID_HEIGHT == 20\n");
        MainLogic logic(manager.get());
        logic.onEnter("TITLE", "START");
        step(logic); // one step right, so the cell behind is trail
        for (unsigned char code : c.taps) {
            tap(code);
        }
        for (std::size_t i = 0; i < c.headings.size(); ++i) {
            step(logic);
            EXPECT_EQ(c.headings[i], logic.getPlayer(0).heading) << "step " << i;
            EXPECT_TRUE(logic.getPlayer(0).alive);
        }
    }

    // A held key counts once: after another press the held one is ignored.
    MainLogic logic(manager.get());
    logic.onEnter("TITLE", "START");
    step(logic);
    key(CODE_DOWN, true);
    step(logic);
    tap(CODE_RIGHT);
    step(logic);
    step(logic);
    key(CODE_DOWN, false);
    EXPECT_EQ(MainLogic::RIGHT, logic.getPlayer(0).heading);

    // Without the buffer a tap between steps is lost, as in the classic game.
    settings("");
    MainLogic classic(manager.get());
    classic.onEnter("TITLE", "START");
    tap(CODE_DOWN);
    step(classic);
    EXPECT_EQ(MainLogic::RIGHT, classic.getPlayer(0).heading);
}

TEST_F(PartyTest, ThePauseKeyFreezesStepsAndBlinkAndTheLeaveKeyEndsTheMatchUnscored)
{
    settings("KEY_PAUSE == p\nKEY_LEAVE == ESC\nSHOW_TEXT == YES\n");
    MainLogic logic(manager.get());
    manager->getViewManager()->setScreenSize(800, 600);
    logic.onEnter("TITLE", "START");
    step(logic);
    tap(CODE_P);
    const int x = logic.getPlayer(0).x;
    const bool flash = logic.getView()->isFlashOn();
    for (int i = 0; i < 20; ++i) {
        step(logic);
        logic.getView()->onUpdate(1000);
    }
    EXPECT_EQ(x, logic.getPlayer(0).x);
    EXPECT_EQ(flash, logic.getView()->isFlashOn());
    EXPECT_NE(nullptr, find(*logic.getTextView(), "PAUSED"));
    tap(CODE_P);
    step(logic);
    EXPECT_EQ(x + 1, logic.getPlayer(0).x);

    tap(CODE_P);
    tap(CODE_ESC);
    EXPECT_EQ("LEAVE", step(logic));
    EXPECT_FALSE(logic.isPaused()) << "leaving a paused match lets the blink go on";
    EXPECT_EQ("", printed()) << "leaving is not a result";
    EXPECT_EQ(0, logic.getWins(0) + logic.getWins(1));
    EXPECT_NE(nullptr, find(*logic.getTextView(), "VEKTRA")) << "back to the title words";

    // Without a pause key, pausing does nothing.
    settings("");
    MainLogic classic(manager.get());
    classic.onEnter("TITLE", "START");
    classic.setPause(true);
    step(classic);
    EXPECT_FALSE(classic.isPaused());
    EXPECT_EQ(x, classic.getPlayer(0).x);
}

TEST_F(PartyTest, WithALeaveKeyTheTitleIgnoresAKeyHeldFromTheMatchUntilReleased)
{
    TestSupport::EventRecorder quits({EVT::QUIT});
    settings("KEY_LEAVE == ESC\n");
    Tool::TitleLogic title(manager.get());
    key(CODE_ESC, true);
    key(Tool::TitleLogic::KEY_SPACE, true);
    title.onEnter("RUNNING", "*");
    EXPECT_EQ("", title.onUpdate(16));
    EXPECT_EQ(0, quits.handled);
    key(Tool::TitleLogic::KEY_SPACE, false);
    title.onUpdate(16);
    key(Tool::TitleLogic::KEY_SPACE, true);
    EXPECT_EQ("START", title.onUpdate(16)) << "space pressed again acts";
    EXPECT_EQ(0, quits.handled);
    key(CODE_ESC, false);
    title.onUpdate(16);
    key(CODE_ESC, true);
    title.onUpdate(16);
    EXPECT_EQ(1, quits.handled);
    key(CODE_ESC, false);
    key(Tool::TitleLogic::KEY_SPACE, false);
}

TEST_F(PartyTest, WordsOnScreenTitleScoresAndTheWinnersLine)
{
    settings("SHOW_TEXT == YES\nHUMAN_PLAYERS == 2\nPLAYER_COLORS == 0xFF0000FF, 0x00FF00FF\n" +
             std::string(SEAT_KEYS));
    MainLogic logic(manager.get());
    TextView& text = *logic.getTextView();
    manager->getViewManager()->setScreenSize(800, 600);
    // Who each person is, in their colour's name, and which keys steer.
    const std::string dot = " \xC2\xB7 ";
    const std::vector<std::string> title = {"VEKTRA", "PLAYER 1 IS RED" + dot + "ARROW KEYS STEER",
                                            "PLAYER 2 IS GREEN" + dot + "W A S D STEER",
                                            "SPACE START" + dot + "ESC QUIT"};
    EXPECT_EQ(title, texts(text));

    // Player 0 runs up into the wall; player 1 (shown as PLAYER 2) wins.
    for (int match = 1; match <= 2; ++match) {
        logic.onEnter("TITLE", "START");
        EXPECT_EQ(std::vector<std::string>({"P1 0", "P2 " + std::to_string(match - 1)}),
                  texts(text));
        key(CODE_UP, true);
        std::string result;
        for (int i = 0; i < 20 && result.empty(); ++i) {
            result = step(logic);
        }
        key(CODE_UP, false);
        ASSERT_EQ("WIN=1", result);
    }
    EXPECT_EQ(2, logic.getWins(1));
    // A person won: the party hears that person's label.
    const Placed* winner = find(text, "PLAYER 2 WINS");
    ASSERT_NE(nullptr, winner);
    EXPECT_EQ(255, winner->color.g);
    EXPECT_LT(winner->color.r, 255) << "in the winner's green";
    EXPECT_EQ(255, winner->color.a) << "opaque, on its panel";
    for (const Placed& line : text.layout().texts) {
        SCOPED_TRACE(line.text);
        EXPECT_TRUE(line.box.insideWindow(800, 600));
    }
    ASSERT_NE(nullptr, find(text, "P2 2"));
}

TEST_F(PartyTest, BlockFontGlyphs)
{
    const unsigned char a[7] = {0b01110, 0b10001, 0b10001, 0b11111, 0b10001, 0b10001, 0b10001};
    for (char c : {'A', 'a'}) {
        EXPECT_TRUE(std::equal(a, a + 7, BlockFont::glyph(c))) << c;
    }
    const unsigned char seven[7] = {0b11111, 0b00001, 0b00010, 0b00100, 0b01000, 0b01000, 0b01000};
    EXPECT_TRUE(std::equal(seven, seven + 7, BlockFont::glyph('7')));
    for (int c : {'#', ' ', '\0', '\xFF'}) {
        EXPECT_FALSE(BlockFont::hasGlyph(c));
        for (int row = 0; row < 7; ++row) {
            EXPECT_EQ(0, BlockFont::glyph(c)[row]);
        }
    }
    EXPECT_EQ(0, BlockFont::width(""));
    EXPECT_EQ(11, BlockFont::width("AB"));
    EXPECT_EQ(17, BlockFont::width("A\xC2\xB7"
                                   "B"))
        << "the dot takes one place";

    // "I": 3 + 5 + 3 lit pixels; its first is column 1 of the top row.
    std::vector<float> quads;
    EXPECT_EQ(11, BlockFont::appendQuads("I", 10, 100, 2, quads));
    ASSERT_EQ(11u * 12u, quads.size());
    const std::vector<float> first = {12, 100, 0, 12, 98, 0, 14, 98, 0, 14, 100, 0};
    EXPECT_EQ(first, std::vector<float>(quads.begin(), quads.begin() + 12));
}

TEST_F(PartyTest, EveryOptionOnStillPlaysTheSameMatchesForTheSameInput)
{
    auto play = [&] {
        settings(
            std::string(SEAT_KEYS) +
            "NUM_PLAYERS == 4\nHUMAN_PLAYERS == 3\nTURN_CHANCE == 30\nTURN_BUFFER == YES\n"
            "PLAYER_COLORS == 0xFF0000FF\nKEY_PAUSE == p\nKEY_LEAVE == ESC\nSHOW_TEXT == YES\n");
        MainLogic logic(manager.get());
        std::vector<int> trace;
        for (int match = 0; match < 3; ++match) {
            logic.onEnter("TITLE", "START");
            for (int i = 0; i < 200 && logic.getResult().empty(); ++i) {
                if (i % 7 == 3) {
                    tap(i % 2 ? CODE_W : CODE_I);
                }
                step(logic);
                trace.push_back(logic.getPlayer(2).x * 100 + logic.getPlayer(3).y);
            }
        }
        return std::make_pair(trace, printed());
    };
    const auto first = play();
    global.forget();
    EXPECT_EQ(first, play());
}

} // namespace
