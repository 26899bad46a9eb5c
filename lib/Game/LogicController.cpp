#include "Game/LogicController.h"

#include "Util/StringHelpers.h"

namespace Game {

LogicController::LogicController() : current(-1) {}

LogicController::~LogicController()
{
    // Later states may refer to earlier ones, so they go first.
    for (auto it = states.rbegin(); it != states.rend(); ++it)
        delete it->state;
    states.clear();
}

void LogicController::add(const std::string& name, I_LogicState* state,
                          const Transitions& transitions)
{
    if (state == nullptr)
        return;
    states.push_back(Info{name, state, transitions});
}

I_LogicState* LogicController::getState(const std::string& name) const
{
    const int index = indexOf(name);
    return index < 0 ? nullptr : states[index].state;
}

int LogicController::indexOf(const std::string& name) const
{
    for (std::size_t i = 0; i < states.size(); ++i) {
        if (states[i].name == name)
            return static_cast<int>(i);
    }
    return -1;
}

void LogicController::setPause(bool paused)
{
    if (current != -1)
        states[current].state->setPause(paused);
}

bool LogicController::chooseTarget(const Transitions& transitions, std::string& reason,
                                   std::string& target)
{
    for (const auto& transition : transitions) {
        if (Util::startswith(reason, transition.first)) {
            target = transition.second;
            return true;
        }
    }
    // Nothing matched the result itself: the catch-all pair, if any, takes
    // it, and the entered state learns only that it was a catch-all.
    reason = "*";
    for (const auto& transition : transitions) {
        if (transition.first == "*") {
            target = transition.second;
            return true;
        }
    }
    return false;
}

void LogicController::onUpdate(float delta)
{
    if (states.empty())
        return;
    if (current == -1) {
        current = 0;
        states[0].state->onEnter("", "");
    }

    // Indices only from here on: a state may register further states from
    // inside its calls, which moves the table.
    std::string reason = states[current].state->onUpdate(delta);
    if (reason.empty())
        return;

    std::string targetName;
    int target = -1;
    if (chooseTarget(states[current].transitions, reason, targetName))
        target = indexOf(targetName);
    if (target < 0)
        target = (current + 1) % static_cast<int>(states.size());

    const std::string previous = states[current].name;
    states[target].state->onEnter(previous, reason);
    current = target;
}

} // namespace Game
