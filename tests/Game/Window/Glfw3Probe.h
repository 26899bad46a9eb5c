#pragma once

// Looks at the window's state through GLFW 3 itself, for what the 2.7 calls cannot ask.
namespace Glfw3Probe {

// Whether the cursor of the window with the current context is shown.
bool cursorShown();

} // namespace Glfw3Probe
