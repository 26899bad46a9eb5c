#pragma once

namespace Game {

// Called by the game manager on every update, after the timers and before the logic, with the
// frame's delta in game milliseconds.
class I_GameUpdated {
public:
    virtual ~I_GameUpdated() {}

    virtual void onGameUpdated(const float& delta) = 0;
};

} // namespace Game
