#include "InputBook.h"

#include "app/match/Headings.h"
#include "app/match/Match.h"

namespace Online {

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
    if (step + MAX_LATE < nextStep) {
        return Verdict::TOO_OLD;
    }
    if (step > nextStep + MAX_AHEAD) {
        return Verdict::TOO_FAR;
    }
    Player& book = players[static_cast<std::size_t>(player)];
    // Inputs of one peer arrive in the order they were sent (one reliable
    // channel), so a step at or before the last one asked is a second
    // change for a step, or a replay of one.
    if (book.asked && step <= book.lastAsked) {
        return Verdict::SECOND_IN_STEP;
    }
    if (book.queue.size() >= MAX_QUEUED) {
        return Verdict::QUEUE_FULL;
    }
    book.asked = true;
    book.lastAsked = step;
    book.queue.push_back(Booked{step, heading});
    return step < nextStep ? Verdict::MOVED : Verdict::TAKEN;
}

int InputBook::take(unsigned long step, const Tool::Match& match, std::vector<StepHeading>& out)
{
    out.clear();
    int dropped = 0;
    for (std::size_t k = 0; k < players.size(); ++k) {
        std::deque<Booked>& queue = players[k].queue;
        // The queue is in step order: its front is due at its own step, or
        // at this one if it was late or waited behind an earlier late one.
        while (!queue.empty() && queue.front().step <= step) {
            const int heading = queue.front().heading;
            queue.pop_front();
            const int player = static_cast<int>(k);
            if (player >= match.getPlayerCount() || !match.getPlayer(player).alive) {
                break;
            }
            const int now = match.getPlayer(player).heading;
            if (heading == Tool::BACK[now] || heading == now) {
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
