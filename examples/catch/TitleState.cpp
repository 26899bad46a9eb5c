#include "TitleState.h"

#include "Devices/Devices.h"
#include "Devices/Keyboard.h"
#include "Events/EventBus.h"
#include "Events/EventType.h"
#include "Game/GameManager.h"
#include "Game/ViewManager.h"
#include "TitleView.h"

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

TitleState::TitleState(Game::GameManager* manager) : manager(manager), view(new TitleView(manager))
{
}

TitleState::~TitleState()
{
    doExit("");
}

void TitleState::onEnter(const std::string&, const std::string&)
{
    manager->getViewManager()->add(view.get());
}

void TitleState::doExit(const std::string&)
{
    // A removed view is never called again, even within this frame.
    manager->getViewManager()->remove(view.get());
}

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
