#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "InputBook.h"
#include "Message.h"
#include "app/match/Match.h"

namespace Online {

// One match as the server plays it: the match model set up from the
// server's setup (with online play's reversal policy: every turn straight
// back dropped) and the people's seats, the book of the clients' inputs,
// and the seats to hand to computer players at the next step. Each step()
// plays one step and returns what every client needs to play it too: the
// headings applied, the hand-overs, the checksum after it. Owns the match.
class ServerMatch {
public:
    // base: grid, players, turn chance, colours and every seat's level.
    explicit ServerMatch(const Tool::MatchSetup& base);

    // Starts match number with people seats (0 to people - 1) held by
    // persons and both random generators from the given states.
    void start(int people, std::uint32_t startRandom, std::uint32_t decisionRandom,
               unsigned long number);
    // The match header every client starts from.
    std::string header() const;

    // Books a client's heading (the session has checked the player is
    // the client's).
    InputBook::Verdict submit(int player, unsigned long step, int heading);
    // From the next step on a computer player steers player.
    void handOver(int player);
    // Plays the next step; dropped counts inputs the rules left out.
    Message step(unsigned long& dropped);

    const Tool::Match& match() const { return *model; }
    bool isOver() const { return model->isOver(); }
    unsigned long number() const { return matchNumber; }
    // Every hand-over so far this match.
    const std::vector<std::uint16_t>& handedOver() const { return handed; }

private:
    Tool::MatchSetup setup;
    std::unique_ptr<Tool::Match> model;
    InputBook book;
    std::vector<std::uint16_t> pending;
    std::vector<std::uint16_t> handed;
    unsigned long matchNumber = 0;
};

} // namespace Online
