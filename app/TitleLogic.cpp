#include "TitleLogic.h"

#include "CFG/CFG.h"
#include "Devices/Devices.h"
#include "Events/EventBus.h"
#include "Events/EventType.h"
#include "app/input/MatchOptions.h"

namespace Tool {

namespace {

// Event types the state listens to; nothing in the program raises them,
// they are the game's own numbers kept free for it.
constexpr int TITLE_EVENT_A = 2;
constexpr int TITLE_EVENT_B = 22;

bool keyDown(unsigned char code)
{
    const Devices::Keyboard* keyboard = Devices::getKeyboard();
    return keyboard != nullptr && keyboard->keyDown[code];
}

} // namespace

TitleLogic::TitleLogic(Game::GameManager* gameManager)
    : gameManager(gameManager), result(), ignoreEscape(false), ignoreSpace(false)
{
    EVT::EventBus::instance().addConsumer(TITLE_EVENT_A, this);
    EVT::EventBus::instance().addConsumer(TITLE_EVENT_B, this);
}

TitleLogic::~TitleLogic() {}

void TitleLogic::setPause(bool) {}

void TitleLogic::doExit(const std::string&) {}

void TitleLogic::handleEvent(EVT::I_Event*) {}

void TitleLogic::onEnter(const std::string&, const std::string&)
{
    result.clear();
    // The space that skipped a fast-forwarded match may still be down.
    const bool guardHeldKeys =
        keyCodeOf(CFG::get("KEY_LEAVE")) != 0 || CFG::parser()->getBool("FAST_FORWARD");
    ignoreEscape = guardHeldKeys && keyDown(KEY_ESCAPE);
    ignoreSpace = guardHeldKeys && keyDown(KEY_SPACE);
    pads.read(PadControl::MAX_SEATS);
}

bool TitleLogic::usable(unsigned char code)
{
    bool& ignored = code == KEY_ESCAPE ? ignoreEscape : ignoreSpace;
    if (ignored && !keyDown(code)) {
        ignored = false;
    }
    return !ignored && keyDown(code);
}

std::string TitleLogic::onUpdate(float)
{
    pads.update(nullptr);
    if (usable(KEY_ESCAPE)) {
        // Delivered at once: the window application ends its loop at the
        // end of this frame.
        EVT::EventBus::instance().raiseEvent(EVT::QUIT, false);
    } else if (usable(KEY_SPACE) || pads.pressed(Devices::Joypad::BUTTON_A)) {
        result = "START";
    }
    return result;
}

} // namespace Tool
