#pragma once

#include <string>
#include <vector>

#include "Game/I_View.h"
#include "TextLines.h"
#include "app/onlinegame/OnlineScreen.h"

namespace Game {
class GameManager;
}

namespace Tool {

// The words on an online client's screen, always shown: while joining, the
// server it joins; in the lobby every connected client with its ping and
// whether it is ready, and the keys; in a match each player's name and wins
// in its colour along the top; the last result over the frozen arena; why
// the server refused or was lost. Reads everything from the screen values
// the online logic fills; owns its lines; the game manager is not owned.
class OnlineTextView : public Game::I_View {
public:
    OnlineTextView(Game::GameManager* gameManager, const OnlineScreen& screen);
    ~OnlineTextView() override;
    OnlineTextView(const OnlineTextView&) = delete;
    OnlineTextView& operator=(const OnlineTextView&) = delete;

    void setPause(bool paused) override;
    void setScreenSize(int width, int height) override;
    void preUpdate(float delta) override;
    void onUpdate(float elapsed) override;
    void onRender() override;
    EVT::I_Event* onInput(EVT::I_Event* event) override;
    Game::ViewBox getViewBox() const override;

    // What the next frame shows, line by line.
    const std::vector<TextLines::Line>& layout();
    // A reason in lines of a few dozen characters, broken at blanks where
    // it can be; a reason too long for a few lines ends in "...".
    static std::vector<std::string> wrap(const std::string& text);

private:
    void layoutLobby();
    void layoutNames();
    void layoutResult();
    void layoutEnd(const std::string& title);
    Util::RGBA colorOf(int player, std::uint8_t alpha) const;
    std::string nameOf(int player) const;

    [[maybe_unused]] Game::GameManager* gameManager;
    const OnlineScreen& screen;
    int screenWidth;
    int screenHeight;
    TextLines lines;
};

} // namespace Tool
