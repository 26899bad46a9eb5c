#pragma once

#include <string>

#include "Events/I_EventConsumer.h"
#include "Game/I_LogicState.h"
#include "app/input/PadControl.h"

namespace Game {
class GameManager;
}

namespace Tool {

// The title state ("TITLE"): waits for the space bar, which starts a match,
// or Escape, which quits. Keys are read as held, so a key already down when
// the state is entered acts at once, except when a leave key is set
// ("KEY_LEAVE") or fast-forward is on ("FAST_FORWARD"): then a key held on
// entry is ignored until it is released, so the press that left or skipped
// a match does not also quit or start the next one.
// Draws nothing; owns nothing.
class TitleLogic : public Game::I_LogicState, public EVT::I_EventConsumer {
public:
    static constexpr unsigned char KEY_ESCAPE = 27;
    static constexpr unsigned char KEY_SPACE = 32;

    explicit TitleLogic(Game::GameManager* gameManager);
    ~TitleLogic() override;
    TitleLogic(const TitleLogic&) = delete;
    TitleLogic& operator=(const TitleLogic&) = delete;

    void setPause(bool paused) override;
    void onEnter(const std::string& previous, const std::string& reason) override;
    // Escape raises the quit event at once; otherwise space gives "START".
    std::string onUpdate(float elapsed) override;
    void doExit(const std::string& next) override;
    void handleEvent(EVT::I_Event* event) override;

private:
    bool usable(unsigned char code);

    [[maybe_unused]] Game::GameManager* gameManager;
    std::string result;
    // Escape and space, each ignored while still held from before entry.
    bool ignoreEscape;
    bool ignoreSpace;
    // The seats' gamepads: a new press of the south button (A) starts, as space does.
    PadControl pads;
};

} // namespace Tool
