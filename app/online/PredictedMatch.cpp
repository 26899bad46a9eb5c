#include "PredictedMatch.h"

#include <algorithm>

#include "InputBook.h"
#include "app/match/Headings.h"
#include "app/match/TurnRules.h"

namespace Online {

namespace {

constexpr std::size_t MAX_OWN_TURNS = 8;

} // namespace

void PredictedMatch::start(const Tool::MatchSetup& setup, const std::vector<int>& players)
{
    if (model == nullptr) {
        model.reset(new Tool::Match(setup));
    }
    model->start(setup);
    mine = players;
    confirmed = 0;
    model->save(confirmedState);
    frames.clear();
    ownTurns.assign(mine.size(), std::deque<OwnTurn>());
    depth = 0;
    stale = false;
}

void PredictedMatch::predictTo(unsigned long target, unsigned long most)
{
    if (stale) {
        replayFrames();
    }
    for (unsigned long n = 0;
         n < most && model && !model->isOver() && model->getStepCount() < target; ++n) {
        predictOne();
    }
}

void PredictedMatch::predictOne()
{
    frames.emplace_back();
    Frame& frame = frames.back();
    frame.step = model->getStepCount() + 1;
    frame.inputs = predictedInputs(frame.step);
    model->step(frame.inputs);
    model->save(frame.after);
    frame.checksum = model->checksum();
}

Tool::MatchInputs PredictedMatch::predictedInputs(unsigned long step) const
{
    // Other people keep their heading (KEEP); computer players decide in
    // the model. Own turns land one per step from their own step on, and
    // never on a step already confirmed, as the server moves late ones.
    Tool::MatchInputs inputs;
    for (std::size_t seat = 0; seat < ownTurns.size(); ++seat) {
        unsigned long previous = confirmed;
        for (const OwnTurn& turn : ownTurns[seat]) {
            const unsigned long at = Tool::TurnRules::landing(turn.step, previous + 1);
            if (at == step) {
                inputs.heading[mine[seat]] = turn.heading;
            }
            if (at >= step) {
                break;
            }
            previous = at;
        }
    }
    return inputs;
}

unsigned long PredictedMatch::steer(int localSeat, int heading)
{
    if (!model || localSeat < 0 || static_cast<std::size_t>(localSeat) >= mine.size() ||
        heading < Tool::UP || heading > Tool::RIGHT || model->isOver()) {
        return 0;
    }
    if (stale) {
        replayFrames(); // the turn lands after the predicted steps
    }
    const int player = mine[static_cast<std::size_t>(localSeat)];
    std::deque<OwnTurn>& turns = ownTurns[static_cast<std::size_t>(localSeat)];
    if (model->isHandedOver(player) || !model->getPlayer(player).alive ||
        turns.size() >= MAX_OWN_TURNS) {
        return 0;
    }
    // Where the last booked turn lands, and the heading the player holds
    // from then on.
    const unsigned long next = model->getStepCount() + 1;
    unsigned long last = confirmed;
    int holding = model->getPlayer(player).heading;
    for (const OwnTurn& turn : turns) {
        last = Tool::TurnRules::landing(turn.step, last + 1);
        if (last >= next) {
            holding = turn.heading;
        }
    }
    if (Tool::TurnRules(*model).judge(*model, player, heading, holding) !=
        Tool::TurnRules::Outcome::APPLIED) {
        return 0;
    }
    const unsigned long step = Tool::TurnRules::landing(next, last + 1);
    turns.push_back(OwnTurn{step, heading});
    return step;
}

bool PredictedMatch::sameInputs(const Tool::MatchInputs& a, const Tool::MatchInputs& b) const
{
    const int people = model->getSetup().humans;
    for (int seat = 0; seat < people; ++seat) {
        if (!model->isHandedOver(seat) && a.heading[seat] != b.heading[seat]) {
            return false;
        }
    }
    return true;
}

PredictedMatch::Confirmation PredictedMatch::confirm(const Message& message)
{
    if (!model || message.step != confirmed + 1) {
        return Confirmation::BROKEN;
    }
    const int people = model->getSetup().humans;
    Tool::MatchInputs inputs;
    for (const StepHeading& h : message.headings) {
        if (h.player >= people) {
            return Confirmation::BROKEN;
        }
        inputs.heading[h.player] = h.heading;
    }
    for (std::uint16_t player : message.handOvers) {
        if (player >= people) {
            return Confirmation::BROKEN;
        }
    }
    ++confirmed;
    std::uint64_t checksum = 0;
    Confirmation outcome = Confirmation::AGREED;
    if (!stale && !frames.empty() && message.handOvers.empty() &&
        sameInputs(frames.front().inputs, inputs)) {
        std::swap(confirmedState, frames.front().after);
        checksum = frames.front().checksum;
        frames.pop_front();
        settleOwnTurns(message);
    } else {
        // Back to the last confirmed state unless the copy stands there
        // (as it does while the replay waits).
        if (stale) {
            const bool predicted =
                message.handOvers.empty() && sameInputs(frames.front().inputs, inputs);
            outcome = predicted ? Confirmation::AGREED : Confirmation::ROLLED_BACK;
        } else if (!frames.empty() || model->getStepCount() + 1 != confirmed) {
            model->restore(confirmedState);
            outcome = Confirmation::ROLLED_BACK;
            depth = frames.size();
        }
        for (std::uint16_t player : message.handOvers) {
            model->handOver(player);
        }
        model->step(inputs);
        model->save(confirmedState);
        checksum = model->checksum();
        settleOwnTurns(message);
        if (!frames.empty()) {
            frames.pop_front();
        }
        stale = !frames.empty();
    }
    return checksum == message.checksum ? outcome : Confirmation::DESYNC;
}

void PredictedMatch::replayFrames()
{
    stale = false;
    for (std::size_t k = 0; k < frames.size(); ++k) {
        if (model->isOver()) {
            frames.resize(k);
            return;
        }
        Frame& frame = frames[k];
        frame.step = model->getStepCount() + 1;
        frame.inputs = predictedInputs(frame.step);
        model->step(frame.inputs);
        model->save(frame.after);
        frame.checksum = model->checksum();
    }
}

void PredictedMatch::settleOwnTurns(const Message& message)
{
    for (std::size_t seat = 0; seat < ownTurns.size(); ++seat) {
        std::deque<OwnTurn>& turns = ownTurns[seat];
        const auto applied =
            std::find_if(message.headings.begin(), message.headings.end(),
                         [&](const StepHeading& h) { return h.player == mine[seat]; });
        if (applied != message.headings.end()) {
            // The server applies a player's turns in their order.
            const auto own = std::find_if(turns.begin(), turns.end(), [&](const OwnTurn& t) {
                return t.heading == applied->heading;
            });
            if (own != turns.end()) {
                turns.erase(turns.begin(), own + 1);
            }
        }
        // The server drops what is too old; so does the prediction.
        while (!turns.empty() && InputBook::tooOld(turns.front().step, confirmed)) {
            turns.pop_front();
        }
    }
}

bool PredictedMatch::fits(const Tool::MatchState& state) const
{
    const Tool::MatchSetup& setup = model->getSetup();
    const std::size_t cells =
        static_cast<std::size_t>(setup.gridWidth) * static_cast<std::size_t>(setup.gridHeight);
    if (state.cells.size() != cells ||
        state.players.size() != static_cast<std::size_t>(setup.playerCount) ||
        (setup.colors.empty() != state.owners.empty()) || state.step != confirmed ||
        state.outcome >= setup.playerCount) {
        return false;
    }
    for (const Tool::PlayerHead& head : state.players) {
        if (head.x < 0 || head.y < 0 || head.x >= setup.gridWidth || head.y >= setup.gridHeight) {
            return false;
        }
    }
    return std::all_of(state.owners.begin(), state.owners.end(),
                       [&](int owner) { return owner >= 0 && owner <= setup.playerCount; });
}

bool PredictedMatch::restoreFull(const Tool::MatchState& state)
{
    if (!model || !fits(state) || !model->restore(state)) {
        return false;
    }
    confirmedState = state;
    replayFrames();
    return true;
}

void PredictedMatch::finish()
{
    if (model && (!frames.empty() || model->getStepCount() != confirmed)) {
        model->restore(confirmedState);
    }
    frames.clear();
    stale = false;
}

void PredictedMatch::corrupt()
{
    if (!model) {
        return;
    }
    for (std::size_t i = 0; i < confirmedState.cells.size(); ++i) {
        if (confirmedState.cells[i] == Tool::Match::FREE) {
            confirmedState.cells[i] = Tool::Match::BLOCKED;
            break;
        }
    }
    confirmedState.cellsHash ^= 0x9E3779B97F4A7C15ull;
    model->restore(confirmedState);
    replayFrames();
}

} // namespace Online
