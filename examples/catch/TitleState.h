#pragma once

#include <memory>
#include <string>

#include "Game/I_LogicState.h"

namespace Game {
class GameManager;
}

namespace Catch {

class TitleView;

// The title state: Space starts a round, Escape quits. Reads the keys as
// held through the keyboard device; shows its words (TitleView, owned)
// while it runs.
class TitleState : public Game::I_LogicState {
public:
    explicit TitleState(Game::GameManager* manager);
    ~TitleState() override;

    void setPause(bool) override {}
    // Puts the title's words on screen.
    void onEnter(const std::string&, const std::string&) override;
    // "START" while Space is down; Escape raises the quit event.
    std::string onUpdate(float delta) override;
    // Takes the words off again.
    void doExit(const std::string&) override;

private:
    Game::GameManager* manager;
    std::unique_ptr<TitleView> view;
};

} // namespace Catch
