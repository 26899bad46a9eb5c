#pragma once

#include <string>

namespace Game {

// One named state of the game's logic (title screen, match). The logic
// controller owns it, enters it and updates it while it is current.
class I_LogicState {
public:
    virtual ~I_LogicState() = default;

    // Pause (true) or resume (false); only the current state is told.
    virtual void setPause(bool paused) = 0;
    // Called when the state becomes current. previous is the state that was
    // left (empty on the very first entry); reason is what made it leave.
    virtual void onEnter(const std::string& previous, const std::string& reason) = 0;
    // One frame of game milliseconds. An empty result stays; any other
    // result asks to leave, and its text selects the transition.
    virtual std::string onUpdate(float delta) = 0;
    // The state's own leave hook; the controller never calls it.
    virtual void doExit(const std::string& next) = 0;
};

} // namespace Game
