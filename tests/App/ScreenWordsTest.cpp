// What a player reads and sees around a match, each part off without its
// setting: the pause and leave keys on the title screen, the key that
// resumes a pause, the countdown's seconds, and a title without the arena
// behind it after a match was left.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Game/HeadlessRenderController.h"
#include "Game/ViewManager.h"
#include "GameFixture.h"
#include "app/MainLogic.h"
#include "app/MainView.h"
#include "app/TextView.h"

namespace {

using Tool::MainLogic;
using Tool::TextView;

constexpr unsigned char CODE_P = 'p';
constexpr unsigned char CODE_ESC = 27;

class ScreenWordsTest : public GameFixture {
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        controller.keepClientDraws(true);
        manager->setRenderController(&controller);
    }
    void tap(unsigned char code)
    {
        key(code, true);
        key(code, false);
    }
    static std::vector<std::string> texts(TextView& view)
    {
        std::vector<std::string> out;
        for (const TextView::Line& line : view.layout()) {
            out.push_back(line.text);
        }
        return out;
    }

    Render::ViewData view;
    Game::HeadlessRenderController controller{view};
};

TEST_F(ScreenWordsTest, KeysOnTheTitleAndTheKeyThatResumes)
{
    struct Row {
        const char* settings;
        std::vector<std::string> title;
    };
    const std::string space = "SPACE START \xC2\xB7 ESC QUIT";
    const Row rows[] = {
        {"", {"VEKTRA", space}},
        {"KEY_PAUSE == p\n", {"VEKTRA", space, "p PAUSE"}},
        {"KEY_LEAVE == ESC\n", {"VEKTRA", space, "ESC LEAVE"}},
        {"KEY_PAUSE == p\nKEY_LEAVE == ESC\n", {"VEKTRA", space, "p PAUSE \xC2\xB7 ESC LEAVE"}},
        {"KEY_PAUSE == nokey\n", {"VEKTRA", space}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.settings);
        settings(std::string("SHOW_TEXT == YES\n") + row.settings);
        MainLogic logic(manager.get());
        TextView& text = *logic.getTextView();
        manager->getViewManager()->setScreenSize(800, 600);
        EXPECT_EQ(row.title, texts(text));
    }
    settings("SHOW_TEXT == YES\nKEY_PAUSE == p\n");
    MainLogic logic(manager.get());
    manager->getViewManager()->setScreenSize(800, 600);
    logic.onEnter("TITLE", "START");
    tap(CODE_P);
    EXPECT_EQ(std::vector<std::string>({"P1 0", "P2 0", "PAUSED", "p RESUMES"}),
              texts(*logic.getTextView()));
}

// A countdown of 2.5 s shows 3, then 2, then 1, then nothing.
TEST_F(ScreenWordsTest, TheCountdownShowsWholeSecondsLeft)
{
    settings("SHOW_TEXT == YES\nCOUNTDOWN == 2.5\n");
    MainLogic logic(manager.get());
    TextView& text = *logic.getTextView();
    manager->getViewManager()->setScreenSize(800, 600);
    logic.onEnter("TITLE", "START");
    std::vector<std::string> shown;
    for (int frame = 0; frame < 30; ++frame) {
        const std::vector<std::string> now = texts(text);
        const std::string last = now.back();
        if (shown.empty() || shown.back() != last) {
            shown.push_back(last);
        }
        logic.onUpdate(100);
    }
    EXPECT_EQ(std::vector<std::string>({"3", "2", "1", "P2 0"}), shown);
}

// After a result the last arena stays behind the title; after leaving with
// the leave key the arena view draws nothing, so the clear colour shows.
TEST_F(ScreenWordsTest, LeavingClearsTheArenaFromBehindTheTitle)
{
    settings("KEY_LEAVE == ESC\n");
    MainLogic logic(manager.get());
    logic.onEnter("TITLE", "START");
    logic.onUpdate(11);
    logic.getView()->setScreenSize(160, 120);
    logic.getView()->onRender();
    EXPECT_FALSE(controller.getClientDraws().empty()) << "the arena during the match";
    tap(CODE_ESC);
    ASSERT_EQ("LEAVE", logic.onUpdate(11));
    controller.doClear(Util::RGBA(0, 0, 0, 0));
    logic.getView()->onRender();
    EXPECT_TRUE(controller.getClientDraws().empty());
}

} // namespace
