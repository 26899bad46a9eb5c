#pragma once

#include <string>
#include <utility>
#include <vector>

#include "Game/I_LogicController.h"
#include "Game/I_LogicState.h"
#include "Util/NonCopyable.h"

namespace Game {

// The machine of named logic states: runs exactly one current state per
// update and, when it asks to leave, picks the next one by the transitions
// the leaving state was registered with. Owns every registered state.
class LogicController : public I_LogicController, private Util::NonCopyable<LogicController> {
public:
    // (pattern, target state name) pairs, tried in order.
    using Transitions = std::vector<std::pair<std::string, std::string>>;

    // One registered state.
    struct Info {
        std::string name;
        I_LogicState* state;
        Transitions transitions;
    };

    LogicController();
    ~LogicController() override;

    void setPause(bool paused) override;
    void onUpdate(float delta) override;
    // The state of the first entry with exactly this name, or null.
    virtual I_LogicState* getState(const std::string& name) const;

    // Registers a state, taking ownership of it. The first state registered
    // runs first. A null state is refused, since it could never run.
    void add(const std::string& name, I_LogicState* state, const Transitions& transitions);

private:
    // Finds the target name for a leaving state's result, false when no
    // pair gives one. reason becomes "*" once no pattern is a prefix of it.
    static bool chooseTarget(const Transitions& transitions, std::string& reason,
                             std::string& target);
    int indexOf(const std::string& name) const;

    std::vector<Info> states;
    int current;
};

} // namespace Game
