#pragma once

#include "Devices/Joypad.h"
#include "Devices/Keyboard.h"

// The device registry: one pointer per kind of input device, null until
// installed. The registry owns nothing. The keyboard and the joypad exist in
// this program; the other kinds are declared so game code can name them.
namespace Devices {

class Screen;
class Mouse;

void setKeyboard(Keyboard* keyboard);
Keyboard* getKeyboard();
void setScreen(Screen* screen);
Screen* getScreen();
void setMouse(Mouse* mouse);
Mouse* getMouse();
void setJoypad(Joypad* joypad);
Joypad* getJoypad();

} // namespace Devices
