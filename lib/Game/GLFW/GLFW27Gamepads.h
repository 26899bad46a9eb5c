#pragma once

namespace Devices {
class Joypad;
}

namespace GLFW27 {

// Beyond the 2.7 interface, which had only raw joystick axes and buttons: reads every
// joystick GLFW 3 knows a gamepad mapping for into the joypad device, in the standard
// layout of GLFW's built-in mappings; the others read as not connected. GLFW itself notices
// pads plugged in or out while the game runs.
void readGamepads(Devices::Joypad& joypad);

} // namespace GLFW27
