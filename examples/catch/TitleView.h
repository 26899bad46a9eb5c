#pragma once

#include <string>

#include "Game/I_View.h"
#include "Render/Text/TextDrawer.h"

namespace Game {
class GameManager;
}
namespace Render {
class I_RenderController;
}

namespace Catch {

// Draws the title screen's words in a real font (Text::TextDrawer: the
// machine's bold sans-serif through fontconfig, or the framework's block
// font where there is none): the game's name and the keys. Owns its text
// drawer; the render controller is the game manager's.
class TitleView : public Game::I_View {
public:
    explicit TitleView(Game::GameManager* manager);

    void setPause(bool) override {}
    void setScreenSize(int width, int height) override;
    void preUpdate(float) override {}
    void onUpdate(float) override {}
    void onRender() override;
    EVT::I_Event* onInput(EVT::I_Event* event) override { return event; }
    Game::ViewBox getViewBox() const override;

private:
    // A line centred across the window, its top at top (y up), its em
    // pixelSize window pixels.
    void drawLine(const std::string& line, float top, int pixelSize, Util::RGBA color);

    Render::I_RenderController* controller;
    Text::TextDrawer text;
    int screenWidth;
    int screenHeight;
};

} // namespace Catch
