#pragma once

namespace Game {

// Told the window size by the game manager: once when added, then at every size change.
class I_ScreenWatcher {
public:
    virtual ~I_ScreenWatcher() {}

    virtual void onScreenSize(int width, int height) = 0;
};

} // namespace Game
