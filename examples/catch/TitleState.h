#pragma once

#include <string>

#include "Game/I_LogicState.h"

namespace Catch {

// The title state: Space starts a round, Escape quits. Reads the keys as
// held through the keyboard device; draws nothing and owns nothing.
class TitleState : public Game::I_LogicState {
public:
    void setPause(bool) override {}
    void onEnter(const std::string&, const std::string&) override {}
    // "START" while Space is down; Escape raises the quit event.
    std::string onUpdate(float delta) override;
    void doExit(const std::string&) override {}
};

} // namespace Catch
