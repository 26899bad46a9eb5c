// Every screen's words laid out as the game lays them out, headless, in the
// shipped face, at a small, a middling and a large window: no two boxes
// overlap, each lies inside the window and inside its band or panel, no word
// is drawn smaller than 12 pixels, and each colour reads on what is behind it
// (WCAG contrast 4.5 : 1). Then the words themselves: who you are, how the
// match went for you, and a long lobby in columns and pages.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "Events/Event_Key.h"
#include "Game/ViewManager.h"
#include "GameFixture.h"
#include "Render/Headless/HeadlessRenderController.h"
#include "app/MainLogic.h"
#include "app/MainView.h"
#include "app/match/Match.h"
#include "app/input/Scoreboard.h"
#include "app/sound/SoundChoice.h"
#include "app/views/OnlineTextView.h"
#include "app/views/TextColors.h"
#include "app/views/TextView.h"

namespace {

using Tool::OnlineScreen;
using Tool::ScreenLayout;

const std::string DOT = " \xC2\xB7 ";
// play.cfg's words and colours, the face pinned to the shipped file.
const std::string WORDS = std::string("SHOW_TEXT == YES\nTEXT_FONT == ") + VEKTRA_TEST_FONT +
                          "\nPLAYER_COLORS == 0x3C8CFFFF, 0xFF8C1EFF, 0x3CDC5AFF, 0xE650DCFF\n"
                          "KEY_PAUSE == p\nKEY_LEAVE == ESC\nFAST_FORWARD == YES\n";

struct Size {
    int width, height;
};
const Size SIZES[] = {{640, 480}, {800, 600}, {1920, 1080}};

class ScreenLayoutTest : public GameFixture {
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        manager->setRenderController(&headless);
    }

    // A match state with words, its settings after WORDS.
    std::unique_ptr<Tool::MainLogic> local(const std::string& extra)
    {
        settings(WORDS + extra);
        return std::make_unique<Tool::MainLogic>(manager.get());
    }

    const ScreenLayout::Result& laidOut(Tool::TextView& view, Size size)
    {
        manager->getViewManager()->setScreenSize(size.width, size.height);
        return view.layout();
    }

    Render::ViewData view;
    Game::HeadlessRenderController headless{view};
};

// What every placed screen must hold.
void expectReadable(const ScreenLayout::Result& placed, const Tool::ScreenWords& words, Size size)
{
    int rows = static_cast<int>(words.band.size() + words.head.size() + words.tail.size()) +
               placed.listShown + (placed.listPages > 1 ? 1 : 0);
    EXPECT_EQ(rows, static_cast<int>(placed.texts.size())) << "a row was left out";
    EXPECT_FALSE(placed.band.overlaps(placed.panel));
    EXPECT_TRUE(placed.panel.width == 0 || placed.panel.insideWindow(size.width, size.height));
    for (std::size_t i = 0; i < placed.texts.size(); ++i) {
        const ScreenLayout::Placed& text = placed.texts[i];
        SCOPED_TRACE(text.text);
        EXPECT_TRUE(text.box.insideWindow(size.width, size.height));
        const ScreenLayout::Box& behind =
            text.background == ScreenLayout::BAND ? placed.band : placed.panel;
        EXPECT_TRUE(text.box.left >= behind.left && text.box.right() <= behind.right() &&
                    text.box.top >= behind.top && text.box.bottom() <= behind.bottom())
            << "off its " << (text.background == ScreenLayout::BAND ? "band" : "panel");
        EXPECT_GE(text.pixelSize, 12);
        EXPECT_GE(Tool::TextColors::contrast(text.color, text.background), 4.5);
        EXPECT_EQ(255, text.color.a);
        for (std::size_t j = i + 1; j < placed.texts.size(); ++j) {
            EXPECT_FALSE(text.box.overlaps(placed.texts[j].box)) << "and " << placed.texts[j].text;
        }
    }
}

// How far a screen's match is played: not started (the title), just
// started, a few steps, paused, until player 0 is out, to its end.
enum Reach { TITLE, STARTED, PLAYING, PAUSED, OUT, OVER };

void reach(Tool::MainLogic& logic, Reach where)
{
    if (where != TITLE) {
        logic.onEnter("TITLE", "START");
    }
    const int frames = where == PLAYING || where == PAUSED ? 5 : where >= OUT ? 500 : 0;
    for (int i = 0; i < frames && logic.getResult().empty(); ++i) {
        if (where == OUT && !logic.getPlayer(0).alive) {
            break;
        }
        logic.onUpdate(11);
    }
    logic.setPause(where == PAUSED);
}

TEST_F(ScreenLayoutTest, EveryLocalScreenAtEverySize)
{
    struct Screen {
        const char* name;
        std::string settings;
        Reach where;
        // A line that must be on it.
        std::string line;
    };
    const std::string big = "GRID_WIDTH == 64\nGRID_HEIGHT == 48\n";
    const std::vector<Screen> screens = {
        {"title", "NUM_PLAYERS == 4\n", TITLE, "YOU ARE BLUE" + DOT + "ARROW KEYS STEER"},
        {"title, two people",
         "HUMAN_PLAYERS == 2\nKEY_P2_UP == w\nKEY_P2_DOWN == s\nKEY_P2_LEFT == a\n"
         "KEY_P2_RIGHT == d\n",
         TITLE, "PLAYER 2 IS ORANGE" + DOT + "W A S D STEER"},
        {"countdown", "COUNTDOWN == 3\nNUM_PLAYERS == 4\n", STARTED, "3"},
        {"match, 1 player", "NUM_PLAYERS == 1\n", PLAYING, "YOU 0"},
        {"match, 4 players", "NUM_PLAYERS == 4\n", PLAYING, "P4 0"},
        {"match, 16 players", big + "NUM_PLAYERS == 16\n", PLAYING, "P16 0"},
        {"pause", "NUM_PLAYERS == 4\n", PAUSED, "PAUSED"},
        {"fast-forward", big + "NUM_PLAYERS == 4\nAI_LEVEL == 2\n", OUT,
         "YOU ARE OUT" + DOT + "FAST FORWARD" + DOT + "SPACE SKIPS"},
        {"result", "NUM_PLAYERS == 4\n", OVER, "SPACE START" + DOT + "ESC QUIT"},
    };
    for (const Screen& screen : screens) {
        SCOPED_TRACE(screen.name);
        std::unique_ptr<Tool::MainLogic> logic = local(screen.settings);
        reach(*logic, screen.where);
        for (const Size size : SIZES) {
            SCOPED_TRACE(std::to_string(size.width) + " x " + std::to_string(size.height));
            Tool::TextView& text = *logic->getTextView();
            const ScreenLayout::Result& placed = laidOut(text, size);
            expectReadable(placed, text.words(), size);
            bool found = false;
            for (const ScreenLayout::Placed& line : placed.texts) {
                found = found || line.text == screen.line;
            }
            EXPECT_TRUE(found) << "no line " << screen.line;
            // The arena leaves the band free.
            if (logic->getView() != nullptr) {
                EXPECT_EQ(placed.band.height, logic->getView()->getBandHeight());
            }
        }
    }
}

TEST_F(ScreenLayoutTest, AReplaysNoticeAtEverySize)
{
    settings(WORDS);
    Tool::MatchSetup setup;
    setup.gridWidth = 16;
    setup.gridHeight = 12;
    setup.levels = {0, 0};
    Tool::Match match(setup);
    Tool::Scoreboard score;
    score.wins = {0, 0};
    score.matchesStarted = 1;
    score.result = "MISMATCH";
    score.notice = "THIS REPLAY NO LONGER MATCHES: CHECK AT STEP 1234 FAILED";
    for (const bool words : {false, true}) {
        Tool::TextView view(manager.get(), match, score, words);
        for (const Size size : SIZES) {
            view.setScreenSize(size.width, size.height);
            const ScreenLayout::Result& placed = view.layout();
            expectReadable(placed, view.words(), size);
            ASSERT_GE(placed.texts.size(), 2u);
        }
    }
}

OnlineScreen lobby(int clients)
{
    OnlineScreen screen;
    screen.phase = OnlineScreen::LOBBY;
    screen.server = "127.0.0.1:4040";
    screen.leaveName = "q";
    for (int k = 0; k < clients; ++k) {
        // Long names and short, as people choose them.
        const std::string name =
            k % 3 == 0 ? "PLAYER NUMBER " + std::to_string(k) : "ADA" + std::to_string(k);
        screen.clients.push_back(OnlineScreen::Client{name, 20 + k, k % 2 == 0});
    }
    return screen;
}

TEST_F(ScreenLayoutTest, EveryOnlineScreenAtEverySize)
{
    OnlineScreen joining;
    joining.server = "vektra.example.org:4040";
    OnlineScreen afterMatch = lobby(16);
    afterMatch.names = {"ADA", "BOB", "", "René"};
    afterMatch.wins = {1, 0, 2, 0};
    afterMatch.colors = {Util::RGBA(0, 0, 255, 255), Util::RGBA(128, 0, 0, 255),
                         Util::RGBA(255, 255, 0, 255), Util::RGBA(0, 0, 0, 255)};
    afterMatch.mine = {0};
    afterMatch.result = "WIN=3";
    OnlineScreen playing = afterMatch;
    playing.phase = OnlineScreen::MATCH;
    playing.mineOut = true;
    // Names too long for a band of sixteen end in "...".
    OnlineScreen longNames = playing;
    longNames.names.assign(16, std::string(24, 'W'));
    longNames.wins.assign(16, 0);
    OnlineScreen refused;
    refused.phase = OnlineScreen::REFUSED;
    refused.reason = std::string(300, 'x');
    OnlineScreen lost;
    lost.phase = OnlineScreen::LOST;
    lost.reason =
        "NO ANSWER FROM THE SERVER FOR 5 SECONDS; IT MAY HAVE STOPPED OR THE NETWORK IS DOWN";
    const std::vector<std::pair<const char*, OnlineScreen>> screens = {
        {"joining", joining},
        {"lobby, 1 client", lobby(1)},
        {"lobby, 16 clients", lobby(16)},
        {"lobby, 64 clients", lobby(64)},
        {"lobby, 256 clients from a hostile server", lobby(256)},
        {"lobby after a match", afterMatch},
        {"match", playing},
        {"match, long names", longNames},
        {"refused", refused},
        {"lost", lost}};
    for (const auto& screen : screens) {
        SCOPED_TRACE(screen.first);
        Tool::OnlineTextView view(manager.get(), screen.second);
        for (const Size size : SIZES) {
            SCOPED_TRACE(std::to_string(size.width) + " x " + std::to_string(size.height));
            view.setScreenSize(size.width, size.height);
            const ScreenLayout::Result& placed = view.layout();
            expectReadable(placed, view.words(), size);
            // Sixteen clients all fit; sixty-four take pages.
            const int clients = static_cast<int>(screen.second.clients.size());
            if (screen.second.names == longNames.names) {
                EXPECT_EQ("... 0", placed.texts[1].text.substr(placed.texts[1].text.size() - 5))
                    << "the name cut short, the wins kept";
            }
            if (screen.second.phase != OnlineScreen::LOBBY) {
                EXPECT_EQ(0, placed.listShown);
            } else if (clients <= 16) {
                EXPECT_EQ(clients, placed.listShown);
            } else {
                EXPECT_GT(placed.listPages, 1);
            }
        }
    }
}

TEST_F(ScreenLayoutTest, ALongLobbyFlowsIntoColumnsThenPagesThatUpAndDownTurn)
{
    const OnlineScreen screen = lobby(64);
    Tool::OnlineTextView view(manager.get(), screen);
    view.setScreenSize(640, 480);
    const ScreenLayout::Result first = view.layout();
    ASSERT_GT(first.listPages, 1);
    EXPECT_EQ(0, first.listFirst);
    // The entries of a page stand in more than one column.
    std::set<int> columns;
    for (int k = 0; k < first.listShown; ++k) {
        columns.insert(first.texts[2 + k].box.left);
    }
    EXPECT_GT(columns.size(), 1u);
    EXPECT_EQ("1-" + std::to_string(first.listShown) + " OF 64" + DOT + "UP DOWN SCROLL",
              first.texts[2 + first.listShown].text);

    EVT::Event_Key down(Tool::OnlineTextView::KEY_DOWN, true, 0);
    EVT::Event_Key up(Tool::OnlineTextView::KEY_UP, true, 0);
    int shown = 0;
    for (int page = 0; page < first.listPages + 2; ++page) {
        shown += view.layout().listShown;
        view.onInput(&down);
    }
    EXPECT_EQ(first.listPages - 1, view.layout().listPage) << "the last page holds";
    EXPECT_EQ(64 + 2 * view.layout().listShown, shown) << "every client on one page or another";
    for (int page = 0; page < first.listPages + 2; ++page) {
        view.layout();
        view.onInput(&up);
    }
    EXPECT_EQ(0, view.layout().listPage);
}

// Sound asked for where no audio output opens: the line on standard error, and with words on,
// the title says so too.
TEST_F(ScreenLayoutTest, TheTitleSaysWhenSoundFindsNoDevice)
{
    const std::string conf = dir.write("alsoft.conf", "drivers = no-such-driver\n");
    setenv("ALSOFT_CONF", conf.c_str(), 1);
    settings(WORDS + "SOUND == YES\n");
    EXPECT_EQ(nullptr, Tool::makeVektraSound());
    EXPECT_EQ("vektra: no sound: no audio output could be opened; playing without sound\n",
              global.errors());
    // This fixture's game manager has no sound controller to give the match's cues.
    settings(WORDS);
    Tool::MainLogic logic(manager.get());
    Tool::TextView& text = *logic.getTextView();
    const ScreenLayout::Result& placed = laidOut(text, Size{800, 600});
    ASSERT_FALSE(placed.texts.empty());
    EXPECT_EQ("NO SOUND DEVICE", placed.texts.back().text);
    unsetenv("ALSOFT_CONF");
}

// A face that cannot be read: one warning, and the block font measures and draws the same
// screens within the same rules.
TEST_F(ScreenLayoutTest, WithoutAFaceTheBlockFontStandsInAfterOneWarning)
{
    settings(WORDS + "TEXT_FONT == /no/such/font.ttf\nNUM_PLAYERS == 4\n");
    Tool::MainLogic logic(manager.get());
    for (const Size size : SIZES) {
        const ScreenLayout::Result& placed = laidOut(*logic.getTextView(), size);
        expectReadable(placed, logic.getTextView()->words(), size);
    }
    EXPECT_EQ("vektra: TEXT_FONT: cannot read the font file /no/such/font.ttf; the words are "
              "drawn in the block font\n",
              global.errors());
}

} // namespace
