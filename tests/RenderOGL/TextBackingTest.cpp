// The winner's line is drawn in the winner's colour, over the frozen arena
// where its own trail may lie: without a backing it vanishes there; with
// "TEXT_BACKING" a dark box under it keeps the letters readable.
#include <GL/glew.h>

#include <set>
#include <string>
#include <vector>

#include "CFG/CFG.h"
#include "Devices/Devices.h"
#include "Devices/Keyboard.h"
#include "Game/GameManager.h"
#include "GameContextFixture.h"
#include "RecordingController.h"
#include "Render/OGL/Controller.h"
#include "app/MainLogic.h"
#include "app/views/TextView.h"

namespace {

class TextBacking : public GameContextTest {};

// The colours found inside the line's box, one font pixel around it.
std::set<std::vector<unsigned char>> coloursUnder(const Tool::TextView::Line& line, int textWidth)
{
    std::set<std::vector<unsigned char>> colours;
    const std::vector<unsigned char> window = GLContextTest::windowPixels();
    const int x0 = static_cast<int>(line.left) + 1;
    const int x1 = static_cast<int>(line.left + textWidth * line.pixelSize);
    const int y1 = static_cast<int>(line.top) - 1;
    const int y0 = static_cast<int>(line.top - 7 * line.pixelSize) + 1;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const std::size_t at = (static_cast<std::size_t>(y) * GLContextTest::WIDTH + x) * 4;
            colours.insert({window[at], window[at + 1], window[at + 2]});
        }
    }
    return colours;
}

} // namespace

TEST_F(TextBacking, TheWinnersLineReadsOverItsOwnColour)
{
    for (const char* backing : {"NO", "YES"}) {
        SCOPED_TRACE(std::string("TEXT_BACKING == ") + backing);
        CFG::getDefaultOverrides()->reset();
        const char* const settings[][2] = {{"GRID_WIDTH", "12"},
                                           {"GRID_HEIGHT", "9"},
                                           {"NUM_PLAYERS", "3"},
                                           {"HUMAN_PLAYERS", "0"},
                                           {"TURN_CHANCE", "20"},
                                           {"MOVE_TIME", "10"},
                                           {"SHOW_TEXT", "YES"},
                                           {"TEXT_BACKING", backing},
                                           {"FLASH_TIME", "100"},
                                           {"GAME_SEED", "3"},
                                           {"PLAYER_COLORS", "0x00FF00FF, 0x00FF00FF"}};
        for (const auto& setting : settings) {
            CFG::getDefaultOverrides()->add(setting[0], setting[1]);
        }
        Tool::MainLogic logic(&manager);
        logic.onEnter("", "");
        for (int step = 0; step < 200 && logic.getResult().empty(); ++step) {
            logic.onUpdate(11);
        }
        ASSERT_EQ(0u, logic.getResult().rfind("WIN=", 0)) << logic.getResult();
        Tool::TextView& text = *logic.getTextView();
        text.setScreenSize(WIDTH, HEIGHT);

        // The arena under the line all in the winner's green.
        glClearColor(0, 1, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        text.onRender();
        const Tool::TextView::Line* winner = nullptr;
        for (const Tool::TextView::Line& line : text.layout()) {
            winner = line.text.find("WINS") != std::string::npos ? &line : winner;
        }
        ASSERT_NE(nullptr, winner);
        const auto colours = coloursUnder(*winner, 5 * 13 + 12);
        if (std::string(backing) == "NO") {
            EXPECT_EQ(1u, colours.size()) << "green on green: the words vanish";
            continue;
        }
        // A darkened box and brighter letters on it, neither the arena's.
        EXPECT_EQ(0u, colours.count({0, 255, 0}));
        ASSERT_GE(colours.size(), 2u);
        const int darkest = (*colours.begin())[1];
        const int brightest = (*colours.rbegin())[1];
        EXPECT_LT(darkest, 128) << "the box darkens the trail";
        EXPECT_GT(brightest - darkest, 80) << "the letters stand out from the box";
    }
}
