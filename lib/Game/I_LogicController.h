#pragma once

namespace Game {

// What the game manager needs of the game's logic: one step per frame, and
// pause and resume.
class I_LogicController {
public:
    virtual ~I_LogicController() = default;

    virtual void setPause(bool paused) = 0;
    virtual void onUpdate(float delta) = 0;
};

} // namespace Game
