#pragma once

#include <functional>
#include <string>

// Real X input for the window tests: xdotool drives the X server the tests run on, and the
// window under test polls until what it waits for has arrived.
namespace XInput {

// Runs "xdotool <args>"; true when it succeeded.
bool xdotool(const std::string& args);

// The X id of the window with exactly this title, "" when none is found. Searching walks
// every window on the server, and another test's window vanishing meanwhile fails the walk,
// so the search is tried again a few times.
std::string windowId(const std::string& title);

// Gives the input focus to the window with exactly this title, waiting until it has it.
bool focusWindow(const std::string& title);

// Presses and releases keys (xdotool key names), holding each about 100 ms.
bool tapKey(const std::string& key);

// Polls the window system until done() holds or about timeoutMs have passed; the result of
// the last done().
bool pollUntil(const std::function<bool()>& done, int timeoutMs = 2000);

} // namespace XInput
