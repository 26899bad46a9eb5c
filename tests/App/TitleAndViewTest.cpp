#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "Events/Event.h"
#include "Events/EventType.h"
#include "GameFixture.h"
#include "Support/EventRecorder.h"
#include "app/MainLogic.h"
#include "app/MainView.h"
#include "app/TitleLogic.h"

namespace {

using TestSupport::EventRecorder;
using Tool::MainLogic;
using Tool::MainView;
using Tool::TitleLogic;

class TitleLogicTest : public GameFixture {};

TEST_F(TitleLogicTest, KeysHeldDecide)
{
    struct Case {
        std::vector<unsigned char> held;
        std::string result;
        int quits;
    };
    const Case cases[] = {
        {{}, "", 0},
        {{TitleLogic::KEY_SPACE}, "START", 0},
        {{TitleLogic::KEY_ESCAPE}, "", 1},
        // Escape wins: no match starts.
        {{TitleLogic::KEY_SPACE, TitleLogic::KEY_ESCAPE}, "", 1},
        {{'a', CODE_UP, 13}, "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.result + " " + std::to_string(c.held.size()));
        TitleLogic title(manager.get());
        EventRecorder quits{EVT::QUIT};
        // Held before the state is entered: acts in its first frame.
        for (unsigned char code : c.held) {
            key(code, true);
        }
        title.onEnter("RUNNING", "*");
        EXPECT_EQ(c.result, title.onUpdate(16));
        EXPECT_EQ(c.quits, quits.handled);
        for (unsigned char code : c.held) {
            key(code, false);
        }
    }
}

TEST_F(TitleLogicTest, EnteringAgainForgetsTheStartAndItSubscribesToItsTwoEventTypes)
{
    EVT::EventBus& bus = EVT::EventBus::instance();
    const std::size_t before2 = bus.consumerCount(2);
    const std::size_t before22 = bus.consumerCount(22);
    {
        TitleLogic title(manager.get());
        EXPECT_EQ(before2 + 1, bus.consumerCount(2));
        EXPECT_EQ(before22 + 1, bus.consumerCount(22));
        EVT::Event own(22);
        bus.raiseEvent(&own, false);

        key(TitleLogic::KEY_SPACE, true);
        EXPECT_EQ("START", title.onUpdate(0));
        key(TitleLogic::KEY_SPACE, false);
        EXPECT_EQ("START", title.onUpdate(0)) << "kept until the state is entered again";
        title.onEnter("RUNNING", "*");
        EXPECT_EQ("", title.onUpdate(0));
    }
    EXPECT_EQ(before2, bus.consumerCount(2));
    EXPECT_EQ(before22, bus.consumerCount(22));
}

class MainViewTest : public GameFixture {
protected:
    // The rectangle (left, bottom, right, top) of quad i of the view's buffer.
    struct Rect {
        float left, bottom, right, top;
    };
    static Rect rect(const MainView& view, int i)
    {
        const float* q = view.getVertices() + i * MainView::FLOATS_PER_QUAD;
        return Rect{q[0], q[4], q[6], q[1]};
    }
};

TEST_F(MainViewTest, QuadsPutRowZeroAtTheTopAndFollowTheDocumentedVertexOrder)
{
    settings("GRID_WIDTH == 4\nGRID_HEIGHT == 4\n");
    MainLogic logic(manager.get());
    logic.onEnter("", "");
    MainView view(manager.get(), &logic);
    view.setScreenSize(400, 300);

    // Ring (12) and the two start cells.
    ASSERT_EQ(14, view.fillTrailQuads());
    const std::vector<float> first(view.getVertices(), view.getVertices() + 24);
    const std::vector<float> expected = {
        0, 300, 0, 0, 225, 0, 100, 225, 0, 100, 300, 0,  // cell (0, 0)
        0, 225, 0, 0, 150, 0, 100, 150, 0, 100, 225, 0}; // cell (0, 1): column first
    EXPECT_EQ(expected, first);

    // Players: (1, 1) and (2, 2), whether in or out.
    ASSERT_EQ(2, view.fillPlayerQuads());
    const Rect p0 = rect(view, 0);
    const Rect p1 = rect(view, 1);
    EXPECT_FLOAT_EQ(100, p0.left);
    EXPECT_FLOAT_EQ(225, p0.top);
    EXPECT_FLOAT_EQ(200, p1.left);
    EXPECT_FLOAT_EQ(150, p1.top);
    EXPECT_FLOAT_EQ(75, p1.bottom);
}

TEST_F(MainViewTest, CellsTileTheWholeWindowForAnyWindowSize)
{
    settings("GRID_WIDTH == 7\nGRID_HEIGHT == 5\n");
    MainLogic logic(manager.get());
    logic.onEnter("", "");
    MainView view(manager.get(), &logic);
    for (auto size : {std::pair<int, int>{700, 500}, {100, 70}, {333, 97}, {1, 1}}) {
        SCOPED_TRACE(std::to_string(size.first) + "x" + std::to_string(size.second));
        view.setScreenSize(size.first, size.second);
        const int count = view.fillTrailQuads();
        ASSERT_EQ(2 * 7 + 2 * 5 - 4 + 2, count);
        // The ring's quads in column order: column 0 has all 5 rows.
        float bottomOfColumn = static_cast<float>(size.second);
        for (int y = 0; y < 5; ++y) {
            const Rect r = rect(view, y);
            EXPECT_NEAR(bottomOfColumn, r.top, 1e-3);
            EXPECT_NEAR(0, r.left, 1e-3);
            bottomOfColumn = r.bottom;
        }
        EXPECT_NEAR(0, bottomOfColumn, 1e-3);
        // The last quad is cell (6, 4), the lower right corner.
        const Rect last = rect(view, count - 1);
        EXPECT_NEAR(size.first, last.right, 1e-3);
        EXPECT_NEAR(0, last.bottom, 1e-3);
        EXPECT_NEAR(size.first * 6.0 / 7, last.left, 1e-3);
    }
    const Game::ViewBox box = view.getViewBox();
    EXPECT_EQ(0, box.x);
    EXPECT_EQ(0, box.y);
    EXPECT_EQ(1, box.width);
    EXPECT_EQ(1, box.height);
}

TEST_F(MainViewTest, MarkersBlinkEveryFlashTime)
{
    struct Case {
        const char* flashTime;
        std::vector<float> frames;
        std::string states; // flashOn after each frame
    };
    const Case cases[] = {
        {"100", {50, 50, 1, 99, 2, 250}, "001101"},
        // 0: toggles on every frame that has time in it.
        {"0", {0, 1, 0, 1, 1}, "01101"},
        {"", {0, 0.5f, 0.5f}, "010"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("FLASH_TIME ") + c.flashTime);
        settings(std::string("FLASH_TIME == ") + c.flashTime + "\n");
        MainLogic logic(manager.get());
        logic.onEnter("", "");
        MainView view(manager.get(), &logic);
        std::string states;
        for (float frame : c.frames) {
            view.onUpdate(frame);
            states += view.isFlashOn() ? '1' : '0';
        }
        EXPECT_EQ(c.states, states);
    }
}

TEST_F(MainViewTest, FlashTimeIsReadAgainAtEveryChange)
{
    MainLogic logic(manager.get());
    logic.onEnter("", "");
    MainView view(manager.get(), &logic);
    view.onUpdate(101);
    ASSERT_TRUE(view.isFlashOn());
    CFG::getDefaultOverrides()->add("FLASH_TIME", "10");
    view.onUpdate(99);
    EXPECT_TRUE(view.isFlashOn()) << "the interval running now was read as 100";
    view.onUpdate(2);
    EXPECT_FALSE(view.isFlashOn());
    view.onUpdate(11);
    EXPECT_TRUE(view.isFlashOn()) << "the new interval is 10";
}

} // namespace
