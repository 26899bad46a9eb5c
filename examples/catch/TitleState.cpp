#include "TitleState.h"

#include "Devices/Devices.h"
#include "Devices/Keyboard.h"
#include "Events/EventBus.h"
#include "Events/EventType.h"

namespace Catch {

namespace {

constexpr unsigned char KEY_ESCAPE = 27;
constexpr unsigned char KEY_SPACE = 32;

bool held(unsigned char code)
{
    const Devices::Keyboard* keyboard = Devices::getKeyboard();
    return keyboard != nullptr && keyboard->keyDown[code];
}

} // namespace

std::string TitleState::onUpdate(float)
{
    if (held(KEY_ESCAPE)) {
        // The window application ends its loop at the end of this frame.
        EVT::EventBus::instance().raiseEvent(EVT::QUIT, false);
        return "";
    }
    return held(KEY_SPACE) ? "START" : "";
}

} // namespace Catch
