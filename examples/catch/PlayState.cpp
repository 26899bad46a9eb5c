#include "PlayState.h"

#include <algorithm>
#include <ostream>

#include "BoardView.h"
#include "CFG/CFG.h"
#include "Devices/KeyboardStrings.h"
#include "Events/EventBus.h"
#include "Events/EventType.h"
#include "Events/Event_Key.h"
#include "Game/GameManager.h"
#include "Game/ViewManager.h"
#include "Util/Debug.h"

namespace Catch {

namespace {

// Left, right, up, down.
const char* const KEY_SETTINGS[4] = {"KEY_LEFT", "KEY_RIGHT", "KEY_UP", "KEY_DOWN"};
const int STEP_X[4] = {-1, 1, 0, 0};
const int STEP_Y[4] = {0, 0, -1, 1};

// Board sides outside 2 to 64 cells are brought inside.
int boardSide(const char* key)
{
    return std::clamp(CFG::parser()->getNumber<int>(key), 2, 64);
}

} // namespace

PlayState::PlayState(Game::GameManager* manager)
    : manager(manager), view(nullptr), timer(*this), random(0), keys{0, 0, 0, 0}, width(2),
      height(2), catcher{0, 0}, target{1, 1}, score(0), timeLeft(0), playing(false)
{
    // Registered for the whole run; key events only count while a round runs.
    EVT::EventBus::instance().addConsumer(EVT::KEY, this);
}

PlayState::~PlayState()
{
    leave();
}

void PlayState::setPause(bool paused)
{
    if (paused) {
        timer.pause();
    } else {
        timer.resume(false);
    }
}

void PlayState::onEnter(const std::string&, const std::string&)
{
    width = boardSide("BOARD_WIDTH");
    height = boardSide("BOARD_HEIGHT");
    random.initialise(CFG::parser()->getNumber<unsigned int>("TARGET_SEED"));
    const auto& names = Devices::KeyboardStrings::instance().keyMapping();
    for (int i = 0; i < 4; ++i) {
        keys[i] = names.getKey(CFG::get(KEY_SETTINGS[i]));
    }
    catcher = {0, 0};
    target = {width / 2, height / 2};
    score = 0;
    timeLeft = CFG::parser()->getNumber<float>("ROUND_TIME");
    const float jumpTime = CFG::parser()->getNumber<float>("TARGET_TIME");
    timer.start(jumpTime, jumpTime);
    view = new BoardView(manager, this);
    manager->getViewManager()->add(view);
    playing = true;
}

std::string PlayState::onUpdate(float delta)
{
    timeLeft -= delta;
    if (timeLeft > 0) {
        return "";
    }
    const std::string result = "SCORE=" + std::to_string(score);
    *Util::Debug::instance().out << result << std::endl;
    leave();
    return result;
}

void PlayState::leave()
{
    playing = false;
    timer.stop();
    if (view != nullptr) {
        // The view manager stops calling it at once and lets go of it at
        // its next pass; it never owned it.
        manager->getViewManager()->remove(view);
        delete view;
        view = nullptr;
    }
}

void PlayState::handleEvent(EVT::I_Event* event)
{
    const auto* key = static_cast<EVT::Event_Key*>(event);
    if (!playing || !key->pressed) {
        return;
    }
    for (int i = 0; i < 4; ++i) {
        if (key->key == keys[i]) {
            move(STEP_X[i], STEP_Y[i]);
        }
    }
}

void PlayState::move(int dx, int dy)
{
    catcher.x = std::clamp(catcher.x + dx, 0, width - 1);
    catcher.y = std::clamp(catcher.y + dy, 0, height - 1);
    if (catcher.x == target.x && catcher.y == target.y) {
        ++score;
        jumpTarget();
        // A fresh target gets the whole time before it jumps again.
        const float jumpTime = CFG::parser()->getNumber<float>("TARGET_TIME");
        timer.start(jumpTime, jumpTime);
    }
}

void PlayState::jumpTarget()
{
    // Never onto the catcher: a point is only scored by moving.
    do {
        target.x = std::min(static_cast<int>(random.getFloat() * width), width - 1);
        target.y = std::min(static_cast<int>(random.getFloat() * height), height - 1);
    } while (target.x == catcher.x && target.y == catcher.y);
}

} // namespace Catch
