#pragma once

#include "Game/I_View.h"

namespace Game {
class GameManager;
}
namespace Render {
class I_ClientArrayDraw;
class I_RenderController;
} // namespace Render

namespace Catch {

class PlayState;

// Draws a round: the board dark, the target orange and the catcher white,
// each cell a square scaled to the window. Knows the round it shows and
// the game manager's render controller; owns neither.
class BoardView : public Game::I_View {
public:
    BoardView(Game::GameManager* manager, const PlayState* state);

    void setPause(bool) override {}
    void setScreenSize(int width, int height) override;
    void preUpdate(float) override {}
    void onUpdate(float) override {}
    void onRender() override;
    // Takes no input: every event goes on to the view below.
    EVT::I_Event* onInput(EVT::I_Event* event) override { return event; }
    Game::ViewBox getViewBox() const override;

private:
    // cells wide and high from (x, y) in board cells, row 0 at the top.
    void drawCells(int x, int y, int cellsWide, int cellsHigh);

    Render::I_RenderController* controller;
    Render::I_ClientArrayDraw* clientArrays;
    const PlayState* state;
    int screenWidth;
    int screenHeight;
};

} // namespace Catch
