#include "ServerMatch.h"

#include <algorithm>

#include "app/replay/MatchHeader.h"

namespace Online {

ServerMatch::ServerMatch(const Tool::MatchSetup& base) : setup(base), model(new Tool::Match(base))
{
    // A person steers a predicted copy, where a turn straight back may look
    // safe that the server's trail makes fatal: online play drops them all.
    setup.reversals = Tool::ReversalPolicy::DROPPED;
}

void ServerMatch::start(int people, std::uint32_t startRandom, std::uint32_t decisionRandom,
                        unsigned long number)
{
    setup.humans = people;
    setup.startRandom = startRandom;
    setup.decisionRandom = decisionRandom;
    model->start(setup);
    book.reset(people);
    pending.clear();
    handed.clear();
    matchNumber = number;
}

std::string ServerMatch::header() const
{
    Tool::MatchHeader header;
    header.setup = setup;
    header.matchNumber = matchNumber;
    return header.encode();
}

InputBook::Verdict ServerMatch::submit(int player, unsigned long step, int heading)
{
    return book.submit(player, step, heading, model->getStepCount() + 1);
}

void ServerMatch::handOver(int player)
{
    const auto seat = static_cast<std::uint16_t>(player);
    if (player >= 0 && player < setup.humans &&
        std::find(handed.begin(), handed.end(), seat) == handed.end() &&
        std::find(pending.begin(), pending.end(), seat) == pending.end()) {
        pending.push_back(seat);
    }
}

Message ServerMatch::step(unsigned long& dropped)
{
    Message message;
    message.type = MessageType::STEP;
    const unsigned long next = model->getStepCount() + 1;
    message.step = static_cast<std::uint32_t>(next);
    std::sort(pending.begin(), pending.end());
    for (std::uint16_t seat : pending) {
        model->handOver(seat);
        handed.push_back(seat);
    }
    message.handOvers.swap(pending);
    pending.clear();
    dropped += static_cast<unsigned long>(book.take(next, *model, message.headings));
    // A computer player steers a seat handed over; a late input of its
    // person is no part of the step.
    auto& headings = message.headings;
    headings.erase(
        std::remove_if(headings.begin(), headings.end(),
                       [this](const StepHeading& h) { return model->isHandedOver(h.player); }),
        headings.end());
    Tool::MatchInputs inputs;
    for (const StepHeading& h : headings) {
        inputs.heading[h.player] = h.heading;
    }
    model->step(inputs);
    message.checksum = model->checksum();
    return message;
}

} // namespace Online
