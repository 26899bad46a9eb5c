// Three real screens drawn by OpenGL into a 640 x 480 picture and read back
// pixel by pixel, as a player's eye meets them: a result over the trail of
// the winner's own colour, an online lobby and a paused match. Every row of
// words sits on an opaque box of the panel's or the band's colour, its
// letters reach a contrast of 4.5 : 1 against that box, and a capital stands
// at least 9 pixels tall.
#include <GL/glew.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "CFG/CFG.h"
#include "GameContextFixture.h"
#include "Render/Text/TextDrawer.h"
#include "app/MainLogic.h"
#include "app/MainView.h"
#include "app/views/OnlineTextView.h"
#include "app/views/TextColors.h"
#include "app/views/TextView.h"

namespace {

using Tool::ScreenLayout;

constexpr int SHOT_WIDTH = 640;
constexpr int SHOT_HEIGHT = 480;

// A picture of SHOT_WIDTH x SHOT_HEIGHT that OpenGL draws into instead of
// the small hidden window, while it lives.
class Picture {
public:
    Picture()
    {
        glGenFramebuffersEXT(1, &frame);
        glGenRenderbuffersEXT(1, &color);
        glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, color);
        glRenderbufferStorageEXT(GL_RENDERBUFFER_EXT, GL_RGBA8, SHOT_WIDTH, SHOT_HEIGHT);
        glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, frame);
        glFramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT,
                                     GL_RENDERBUFFER_EXT, color);
    }
    ~Picture()
    {
        glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
        glDeleteRenderbuffersEXT(1, &color);
        glDeleteFramebuffersEXT(1, &frame);
    }
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    bool complete() const
    {
        return glCheckFramebufferStatusEXT(GL_FRAMEBUFFER_EXT) == GL_FRAMEBUFFER_COMPLETE_EXT;
    }
    // The whole picture filled with one colour, as a trail under everything.
    static void fill(Util::RGBA c)
    {
        glViewport(0, 0, SHOT_WIDTH, SHOT_HEIGHT);
        glClearColor(c.r / 255.0f, c.g / 255.0f, c.b / 255.0f, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    // The pixel at (x, y), y counted from the top as the layout counts.
    Util::RGBA at(int x, int y) const
    {
        const std::size_t i = (static_cast<std::size_t>(SHOT_HEIGHT - 1 - y) * SHOT_WIDTH + x) * 4;
        return Util::RGBA(pixels[i], pixels[i + 1], pixels[i + 2], 255);
    }
    void read()
    {
        pixels.resize(SHOT_WIDTH * SHOT_HEIGHT * 4);
        glReadPixels(0, 0, SHOT_WIDTH, SHOT_HEIGHT, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    }

private:
    GLuint frame = 0;
    GLuint color = 0;
    std::vector<unsigned char> pixels;
};

int key(Util::RGBA c)
{
    return (c.r << 16) | (c.g << 8) | c.b;
}

// What the eye finds in one row's box: the colour most of it has (what the
// letters sit on), the letters' colour (the one farthest from it) and how
// tall the letter at index stands (rows holding a pixel nearer the letters'
// colour than the box's, over the letter's advance).
struct Measured {
    Util::RGBA box;
    Util::RGBA letters;
    int letterHeight = 0;
};

Measured measure(const Picture& picture, const ScreenLayout::Placed& row, int letterLeft,
                 int letterRight)
{
    Measured out;
    std::map<int, int> counts;
    const ScreenLayout::Box& b = row.box;
    for (int y = b.top; y < b.bottom(); ++y) {
        for (int x = b.left; x < b.right(); ++x) {
            ++counts[key(picture.at(x, y))];
        }
    }
    int most = 0;
    for (const auto& count : counts) {
        if (count.second > most) {
            most = count.second;
            out.box = Util::RGBA(count.first >> 16, (count.first >> 8) & 255, count.first & 255);
        }
    }
    double best = 0;
    for (const auto& count : counts) {
        const Util::RGBA c(count.first >> 16, (count.first >> 8) & 255, count.first & 255);
        if (Tool::TextColors::contrast(c, out.box) > best) {
            best = Tool::TextColors::contrast(c, out.box);
            out.letters = c;
        }
    }
    const double half =
        (Tool::TextColors::luminance(out.box) + Tool::TextColors::luminance(out.letters)) / 2;
    const bool lighter = Tool::TextColors::luminance(out.letters) > half;
    int top = -1, bottom = -1;
    for (int y = b.top; y < b.bottom(); ++y) {
        for (int x = letterLeft; x < letterRight; ++x) {
            const double l = Tool::TextColors::luminance(picture.at(x, y));
            if (lighter ? l > half : l < half) {
                top = top < 0 ? y : top;
                bottom = y;
            }
        }
    }
    out.letterHeight = top < 0 ? 0 : bottom - top + 1;
    return out;
}

class ScreenReadback : public GameContextTest {
protected:
    void SetUp() override
    {
        GameContextTest::SetUp();
        // Made once the context is current, gone before it is torn down.
        picture = std::make_unique<Picture>();
        CFG::getDefaultOverrides()->add("TEXT_FONT", VEKTRA_TEST_FONT);
        fonts.setFont(VEKTRA_TEST_FONT);
    }

    // Every row read back; the capital `letter` measured in each row that
    // has one, and at least one row must.
    void expectReadable(const ScreenLayout::Result& placed, char letter)
    {
        picture->read();
        int measuredLetters = 0;
        for (const ScreenLayout::Placed& row : placed.texts) {
            SCOPED_TRACE(row.text);
            const std::size_t at = row.text.find(letter);
            int left = row.box.left, right = row.box.right();
            if (at != std::string::npos) {
                left += fonts.width(row.text.substr(0, at), row.pixelSize);
                right = left + fonts.width(std::string(1, letter), row.pixelSize);
            }
            const Measured seen = measure(*picture, row, left, right);
            EXPECT_EQ(key(row.background), key(seen.box)) << "the box behind the words is opaque";
            EXPECT_GE(Tool::TextColors::contrast(seen.letters, seen.box), 4.5);
            if (at != std::string::npos) {
                EXPECT_GE(seen.letterHeight, 9) << "a capital " << letter;
                ++measuredLetters;
            }
        }
        EXPECT_GT(measuredLetters, 0);
    }

    void TearDown() override
    {
        picture.reset();
        GameContextTest::TearDown();
    }

    void set(const char* key, const std::string& value)
    {
        CFG::getDefaultOverrides()->add(key, value);
    }

    std::unique_ptr<Picture> picture;
    Text::TextDrawer fonts{&controller};
};

TEST_F(ScreenReadback, AResultOverTheWinnersTrail)
{
    ASSERT_TRUE(picture->complete());
    for (const auto& setting :
         std::map<const char*, const char*>{{"GRID_WIDTH", "12"},
                                            {"GRID_HEIGHT", "9"},
                                            {"NUM_PLAYERS", "3"},
                                            {"HUMAN_PLAYERS", "0"},
                                            {"TURN_CHANCE", "20"},
                                            {"MOVE_TIME", "10"},
                                            {"SHOW_TEXT", "YES"},
                                            {"FLASH_TIME", "100"},
                                            {"GAME_SEED", "3"},
                                            {"PLAYER_COLORS", "0x00FF00FF, 0x00FF00FF"}}) {
        set(setting.first, setting.second);
    }
    Tool::MainLogic logic(&manager);
    logic.onEnter("", "");
    for (int step = 0; step < 200 && logic.getResult().empty(); ++step) {
        logic.onUpdate(11);
    }
    ASSERT_EQ(0u, logic.getResult().rfind("WIN=", 0)) << logic.getResult();
    Tool::TextView& text = *logic.getTextView();
    text.setScreenSize(SHOT_WIDTH, SHOT_HEIGHT);
    // Everything under the words in the winner's green.
    Picture::fill(Util::RGBA(0, 255, 0, 255));
    text.onRender();
    // The band's labels "P1 0" to "P3 n": P stands as tall as any capital.
    expectReadable(text.layout(), 'P');
}

TEST_F(ScreenReadback, AnOnlineLobby)
{
    ASSERT_TRUE(picture->complete());
    Tool::OnlineScreen screen;
    screen.phase = Tool::OnlineScreen::LOBBY;
    screen.server = "127.0.0.1:4040";
    for (const char* name : {"HAL", "ADA", "René", "BOB"}) {
        screen.clients.push_back(Tool::OnlineScreen::Client{name, 12, true});
    }
    Tool::OnlineTextView view(&manager, screen);
    view.setScreenSize(SHOT_WIDTH, SHOT_HEIGHT);
    Picture::fill(Util::RGBA(255, 255, 255, 255));
    view.onRender();
    expectReadable(view.layout(), 'H');
}

TEST_F(ScreenReadback, APausedMatch)
{
    ASSERT_TRUE(picture->complete());
    set("SHOW_TEXT", "YES");
    set("KEY_PAUSE", "h");
    set("PLAYER_COLORS", "0x3C8CFFFF, 0xFF8C1EFF");
    Tool::MainLogic logic(&manager);
    logic.onEnter("", "");
    logic.onUpdate(11);
    logic.setPause(true);
    logic.getView()->setScreenSize(SHOT_WIDTH, SHOT_HEIGHT);
    Tool::TextView& text = *logic.getTextView();
    text.setScreenSize(SHOT_WIDTH, SHOT_HEIGHT);
    logic.getView()->onRender();
    text.onRender();
    // "H RESUMES", the smallest words on the screen.
    expectReadable(text.layout(), 'H');
}

} // namespace
