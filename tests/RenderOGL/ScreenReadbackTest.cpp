// Three real screens drawn by OpenGL into a 640 x 480 picture and read back
// pixel by pixel, as a player's eye meets them: a result over the trail of
// the winner's own colour, an online lobby over white, and a paused match.
// Every row of words sits on an opaque box of the panel's or the band's
// colour, its letters reach a contrast of 4.5 : 1 against that box, and a
// capital stands at least 9 pixels tall.
#include <GL/glew.h>

#include <map>
#include <memory>
#include <sstream>
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
using Tool::TextColors;

constexpr int WIDE = 640;
constexpr int TALL = 480;

// A framebuffer object of WIDE x TALL that OpenGL draws into, instead of
// the small hidden window, while it lives.
class Picture {
public:
    Picture()
    {
        glGenFramebuffersEXT(1, &frame);
        glGenRenderbuffersEXT(1, &color);
        glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, color);
        glRenderbufferStorageEXT(GL_RENDERBUFFER_EXT, GL_RGBA8, WIDE, TALL);
        glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, frame);
        glFramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT,
                                     GL_RENDERBUFFER_EXT, color);
        glViewport(0, 0, WIDE, TALL);
    }
    ~Picture()
    {
        glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
        glDeleteRenderbuffersEXT(1, &color);
        glDeleteFramebuffersEXT(1, &frame);
    }
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    // Everything under the words in one colour, as a trail over the arena.
    static void fill(Util::RGBA c)
    {
        glClearColor(c.r / 255.0f, c.g / 255.0f, c.b / 255.0f, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    void read()
    {
        pixels.resize(WIDE * TALL * 4);
        glReadPixels(0, 0, WIDE, TALL, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    }
    // The pixel at (x, y), y counted from the top as the layout counts.
    Util::RGBA at(int x, int y) const
    {
        const std::size_t i = (static_cast<std::size_t>(TALL - 1 - y) * WIDE + x) * 4;
        return Util::RGBA(pixels[i], pixels[i + 1], pixels[i + 2]);
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

class ScreenReadback : public GameContextTest {
protected:
    void SetUp() override
    {
        GameContextTest::SetUp();
        // Made once the context is current, gone before it is torn down.
        picture = std::make_unique<Picture>();
        ASSERT_EQ(static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE_EXT),
                  glCheckFramebufferStatusEXT(GL_FRAMEBUFFER_EXT));
        set("TEXT_FONT=" VEKTRA_TEST_FONT " SHOW_TEXT=YES");
        fonts.setFont(VEKTRA_TEST_FONT);
    }
    void TearDown() override
    {
        picture.reset();
        GameContextTest::TearDown();
    }

    // "KEY=VALUE KEY=VALUE ..." into the overrides.
    static void set(const std::string& pairs)
    {
        std::istringstream in(pairs);
        for (std::string pair; in >> pair;) {
            CFG::getDefaultOverrides()->add(pair.substr(0, pair.find('=')),
                                            pair.substr(pair.find('=') + 1));
        }
    }

    // Every row read back: the colour most of its box has is the box's, and
    // the colour farthest from it the letters'. The capital `letter`, where
    // a row has one, is measured over its advance: the rows holding a pixel
    // nearer the letters' colour than the box's. One row at least has one.
    void expectReadable(const ScreenLayout::Result& placed, char letter)
    {
        picture->read();
        int letters = 0;
        for (const ScreenLayout::Placed& row : placed.texts) {
            SCOPED_TRACE(row.text);
            const ScreenLayout::Box& b = row.box;
            std::map<int, int> counts;
            for (int y = b.top; y < b.bottom(); ++y) {
                for (int x = b.left; x < b.right(); ++x) {
                    ++counts[key(picture->at(x, y))];
                }
            }
            auto most = counts.begin();
            for (auto c = counts.begin(); c != counts.end(); ++c) {
                most = c->second > most->second ? c : most;
            }
            const Util::RGBA box(most->first >> 16, (most->first >> 8) & 255, most->first & 255);
            double contrast = 0;
            for (const auto& c : counts) {
                const Util::RGBA seen(c.first >> 16, (c.first >> 8) & 255, c.first & 255);
                contrast = std::max(contrast, TextColors::contrast(seen, box));
            }
            EXPECT_EQ(key(row.background), key(box)) << "the box behind the words is opaque";
            EXPECT_GE(contrast, 4.5);
            const std::size_t at = row.text.find(letter);
            if (at == std::string::npos) {
                continue;
            }
            ++letters;
            const int x0 = b.left + fonts.width(row.text.substr(0, at), row.pixelSize);
            const int x1 = x0 + fonts.width(std::string(1, letter), row.pixelSize);
            const double half = (TextColors::luminance(box) + TextColors::luminance(row.color)) / 2;
            int top = TALL, bottom = -1;
            for (int y = b.top; y < b.bottom(); ++y) {
                for (int x = x0; x < x1; ++x) {
                    if ((TextColors::luminance(picture->at(x, y)) > half) ==
                        (TextColors::luminance(row.color) > half)) {
                        top = std::min(top, y);
                        bottom = std::max(bottom, y);
                    }
                }
            }
            EXPECT_GE(bottom - top + 1, 9) << "a capital " << letter;
        }
        EXPECT_GT(letters, 0);
    }

    std::unique_ptr<Picture> picture;
    Text::TextDrawer fonts{&controller};
};

TEST_F(ScreenReadback, AResultOverTheWinnersTrail)
{
    set("GRID_WIDTH=12 GRID_HEIGHT=9 NUM_PLAYERS=3 HUMAN_PLAYERS=0 TURN_CHANCE=20 MOVE_TIME=10 "
        "FLASH_TIME=100 GAME_SEED=3 PLAYER_COLORS=0x00FF00FF,0x00FF00FF");
    Tool::MainLogic logic(&manager);
    logic.onEnter("", "");
    for (int step = 0; step < 200 && logic.getResult().empty(); ++step) {
        logic.onUpdate(11);
    }
    ASSERT_EQ(0u, logic.getResult().rfind("WIN=", 0)) << logic.getResult();
    Tool::TextView& text = *logic.getTextView();
    text.setScreenSize(WIDE, TALL);
    Picture::fill(Util::RGBA(0, 255, 0));
    text.onRender();
    // The band's labels "P1 0" to "P3 n": P stands as tall as any capital.
    expectReadable(text.layout(), 'P');
}

TEST_F(ScreenReadback, AnOnlineLobby)
{
    Tool::OnlineScreen screen;
    screen.phase = Tool::OnlineScreen::LOBBY;
    screen.server = "127.0.0.1:4040";
    for (const char* name : {"HAL", "ADA", "Ren\xC3\xA9", "BOB"}) {
        screen.clients.push_back(Tool::OnlineScreen::Client{name, 12, true});
    }
    Tool::OnlineTextView view(&manager, screen);
    view.setScreenSize(WIDE, TALL);
    Picture::fill(Util::RGBA(255, 255, 255));
    view.onRender();
    expectReadable(view.layout(), 'H');
}

TEST_F(ScreenReadback, APausedMatch)
{
    set("KEY_PAUSE=h PLAYER_COLORS=0x3C8CFFFF,0xFF8C1EFF");
    Tool::MainLogic logic(&manager);
    logic.onEnter("", "");
    logic.onUpdate(11);
    logic.setPause(true);
    Tool::TextView& text = *logic.getTextView();
    for (Game::I_View* view : std::vector<Game::I_View*>{logic.getView(), &text}) {
        view->setScreenSize(WIDE, TALL);
        view->onRender();
    }
    // "H RESUMES", the smallest words on the screen.
    expectReadable(text.layout(), 'H');
}

} // namespace
