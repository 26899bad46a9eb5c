#pragma once

#include <string>
#include <vector>

#include "Game/I_View.h"

namespace Game {
class GameManager;
}
namespace Render {
class I_ClientArrayDraw;
class I_RenderController;
} // namespace Render

namespace Catch {

// Draws the title screen's words in the framework's block font: the game's
// name and the keys. Owns its vertex buffer; the render controller is the
// game manager's.
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
    // A line centred across the window, its top at top, in font pixels of
    // pixelSize window pixels.
    void drawLine(const std::string& text, float top, float pixelSize);

    Render::I_RenderController* controller;
    Render::I_ClientArrayDraw* clientArrays;
    int screenWidth;
    int screenHeight;
    std::vector<float> vertices;
};

} // namespace Catch
