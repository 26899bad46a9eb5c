#pragma once

#include <string>
#include <vector>

#include "Game/I_View.h"
#include "ScreenLayout.h"
#include "ScreenPainter.h"
#include "ScreenWords.h"
#include "app/onlinegame/OnlineScreen.h"

namespace Game {
class GameManager;
}

namespace Tool {

// The words on an online client's screen, always shown, placed by
// ScreenLayout: while joining, the server it joins; in the lobby every
// connected client with its ping and whether it is ready, in columns and
// pages (Up and Down turn them), and the keys; in a match each player's
// name and wins in its colour in the band above the arena ("YOU" for this
// window's only seat) and "YOU ARE OUT" once this window's players are
// out; the last result in this window's terms ("YOU WIN", "YOU LOSE · ADA
// WINS", a computer player named by its colour, "DRAW"); why the server
// refused or was lost. Reads everything
// from the screen values the online logic fills; owns its painter; the
// game manager is not owned.
class OnlineTextView : public Game::I_View {
public:
    static constexpr unsigned char KEY_UP = 6;
    static constexpr unsigned char KEY_DOWN = 7;

    OnlineTextView(Game::GameManager* gameManager, const OnlineScreen& screen);
    ~OnlineTextView() override;
    OnlineTextView(const OnlineTextView&) = delete;
    OnlineTextView& operator=(const OnlineTextView&) = delete;

    void setPause(bool paused) override;
    void setScreenSize(int width, int height) override;
    void preUpdate(float delta) override;
    void onUpdate(float elapsed) override;
    void onRender() override;
    // Up and Down turn the lobby's pages.
    EVT::I_Event* onInput(EVT::I_Event* event) override;
    Game::ViewBox getViewBox() const override;

    // What the next frame says, as rows, and where each is drawn.
    ScreenWords words() const;
    const ScreenLayout::Result& layout();
    // A reason in lines of a few dozen characters, broken at blanks where
    // it can be; a reason too long for a few lines ends in "...".
    static std::vector<std::string> wrap(const std::string& text);

private:
    void addBand(ScreenWords& out) const;
    void addLobby(ScreenWords& out) const;
    void addEnd(ScreenWords& out, const std::string& title) const;
    Util::RGBA colorOf(int player) const;
    std::string nameOf(int player) const;

    [[maybe_unused]] Game::GameManager* gameManager;
    const OnlineScreen& screen;
    int screenWidth;
    int screenHeight;
    int lobbyPage;
    ScreenPainter painter;
    ScreenLayout::Result placed;
};

} // namespace Tool
