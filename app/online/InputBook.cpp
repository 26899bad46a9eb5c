#include "InputBook.h"

#include "app/match/Headings.h"
#include "app/match/Match.h"
#include "app/match/TurnRules.h"

namespace Online {

using Tool::TurnRules;

void InputBook::reset(int count)
{
    players.assign(count > 0 ? static_cast<std::size_t>(count) : 0, Player());
}

InputBook::Verdict InputBook::submit(int player, unsigned long step, int heading,
                                     unsigned long nextStep)
{
    if (player < 0 || static_cast<std::size_t>(player) >= players.size()) {
        return Verdict::BAD_PLAYER;
    }
    if (heading < Tool::UP || heading > Tool::RIGHT) {
        return Verdict::BAD_HEADING;
    }
    if (tooOld(step, nextStep)) {
        return Verdict::TOO_OLD;
    }
    if (step > nextStep + MAX_AHEAD) {
        return Verdict::TOO_FAR;
    }
    Player& book = players[static_cast<std::size_t>(player)];
    // Inputs of one peer arrive in the order they were sent (one reliable
    // channel), so a step at or before the last one asked is a second
    // change for a step, or a replay of one.
    const TurnRules::Outcome when = TurnRules::schedule(step, book.openStep, nextStep);
    if (when == TurnRules::Outcome::SECOND_IN_STEP) {
        return Verdict::SECOND_IN_STEP;
    }
    if (book.queue.size() >= MAX_QUEUED) {
        return Verdict::QUEUE_FULL;
    }
    book.openStep = step + 1;
    book.queue.push_back(Booked{step, heading});
    return when == TurnRules::Outcome::LATE ? Verdict::MOVED : Verdict::TAKEN;
}

int InputBook::take(unsigned long step, const Tool::Match& match, std::vector<StepHeading>& out)
{
    out.clear();
    int dropped = 0;
    const TurnRules rules(match);
    for (std::size_t k = 0; k < players.size(); ++k) {
        std::deque<Booked>& queue = players[k].queue;
        // The queue is in step order: its front is due at its own step, or
        // at this one if it was late or waited behind an earlier late one.
        while (!queue.empty() && TurnRules::landing(queue.front().step, step) == step) {
            const int heading = queue.front().heading;
            queue.pop_front();
            const int player = static_cast<int>(k);
            if (player >= match.getPlayerCount() || !match.getPlayer(player).alive) {
                break;
            }
            if (rules.judge(match, player, heading) != TurnRules::Outcome::APPLIED) {
                ++dropped;
                continue;
            }
            out.push_back(
                StepHeading{static_cast<std::uint16_t>(k), static_cast<std::uint8_t>(heading)});
            break;
        }
    }
    return dropped;
}

} // namespace Online
