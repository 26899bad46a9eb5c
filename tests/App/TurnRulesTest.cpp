// What becomes of a person's input, under each reversal policy, through
// every piece that handles one: local steering with held keys (which the
// match's own step judges) and with the turn buffer, the server's book, a
// client's prediction and the bot. One table of grounds and inputs; each
// caller shows the outcome TurnRules gives.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "GameFixture.h"
#include "app/bots/BotPilot.h"
#include "app/input/MatchOptions.h"
#include "app/input/PeopleInput.h"
#include "app/match/Headings.h"
#include "app/match/Match.h"
#include "app/match/TurnRules.h"
#include "app/online/InputBook.h"
#include "app/online/PredictedMatch.h"
#include "app/replay/MatchHeader.h"
#include "app/replay/Replay.h"
#include "app/replay/ReplayPlayback.h"

namespace {

using namespace Tool;
using Outcome = TurnRules::Outcome;

constexpr Outcome A = Outcome::APPLIED;
constexpr Outcome R = Outcome::REVERSAL;
constexpr Outcome N = Outcome::NO_CHANGE;
constexpr Outcome L = Outcome::LATE;
constexpr Outcome S = Outcome::SECOND_IN_STEP;
// A row a caller cannot express: the local keys and the prediction name no
// step, the bot says only what its search decides.
constexpr int NONE = -1;

const ReversalPolicy POLICIES[3] = {ReversalPolicy::APPLIED, ReversalPolicy::DROPPED_WHEN_BLOCKED,
                                    ReversalPolicy::DROPPED};

struct Input {
    int heading;
    int named; // the step it names, from the next one: -1 is the one just played
};

// Player 0 heads right. Walls are cells next to its head (dx, dy), placed
// so that the one free way is the row's input: the bot decides it there.
struct Row {
    const char* name;
    bool trailBehind; // one step played, else the first step is next
    std::vector<std::pair<int, int>> walls;
    std::vector<Input> inputs;
    Outcome outcome[3]; // of the last input, per policy
};

const std::vector<Row> ROWS = {
    {"a quarter turn", true, {{1, 0}, {0, 1}}, {{UP, 0}}, {A, A, A}},
    {"the heading held", true, {{0, -1}, {0, 1}}, {{RIGHT, 0}}, {N, N, N}},
    {"straight back into the trail", true, {}, {{LEFT, 0}}, {A, R, R}},
    {"straight back onto open ground", false, {{1, 0}, {0, -1}, {0, 1}}, {{LEFT, 0}}, {A, A, R}},
    {"two changes for one step", true, {}, {{UP, 0}, {DOWN, 0}}, {S, S, S}},
    {"a turn for the step just played", true, {}, {{UP, -1}}, {L, L, L}},
};

MatchSetup setupFor(ReversalPolicy policy)
{
    MatchSetup setup;
    setup.gridWidth = 20;
    setup.gridHeight = 16;
    setup.playerCount = 2;
    setup.humans = 1;
    setup.levels = {0, 0};
    setup.reversals = policy;
    setup.startRandom = 3;
    setup.decisionRandom = 3;
    return setup;
}

// The row's ground: the match started (and one step played straight on),
// with its walls.
void groundOf(const Row& row, Match& match)
{
    match.start(match.getSetup());
    if (row.trailBehind) {
        match.step(MatchInputs());
    }
    MatchState state;
    match.save(state);
    const PlayerHead& head = match.getPlayer(0);
    for (const auto& wall : row.walls) {
        state.cells[static_cast<std::size_t>((head.y + wall.second) * match.getGridWidth() +
                                             head.x + wall.first)] = Match::BLOCKED;
    }
    ASSERT_TRUE(match.restore(state));
}

// What a caller did with an input, seen from the heading it gave.
Outcome seen(int heading, int before, int after)
{
    if (heading == before) {
        return N;
    }
    return after == heading ? A : R;
}

// The callers, each playing the row's inputs on its ground; NONE where
// the row is none of theirs.
using Caller = std::function<int(const Row&, Match&)>;

class TurnRulesTable : public GameFixture {
protected:
    const unsigned char KEYS[4] = {CODE_UP, CODE_DOWN, CODE_LEFT, CODE_RIGHT};

    static bool oneInputForTheNextStep(const Row& row)
    {
        return row.inputs.size() == 1 && row.inputs[0].named == 0;
    }

    // Held keys pass what is held and the step judges it; the turn buffer
    // judges its presses itself (a dropped one does not cost the step).
    int local(const Row& row, Match& match, bool buffered)
    {
        if (!oneInputForTheNextStep(row)) {
            return NONE;
        }
        settings(buffered ? "TURN_BUFFER == YES\n" : "");
        std::ostream quiet(nullptr);
        PeopleInput people;
        people.start(MatchOptions::read(2, quiet));
        const int heading = row.inputs[0].heading;
        const int before = match.getPlayer(0).heading;
        if (buffered) {
            people.press(KEYS[heading]);
        } else {
            key(KEYS[heading], true);
        }
        const MatchInputs inputs = people.inputs(match);
        match.step(inputs);
        key(KEYS[heading], false);
        const int after = buffered ? inputs.heading[0] : match.getPlayer(0).heading;
        return static_cast<int>(seen(heading, before, after));
    }

    // What the book gives to play at the next step.
    static int book(const Row& row, Match& match)
    {
        Online::InputBook book;
        book.reset(1);
        const unsigned long next = match.getStepCount() + 1;
        Outcome last = A;
        for (const Input& input : row.inputs) {
            const auto verdict =
                book.submit(0, next + static_cast<unsigned long>(input.named), input.heading, next);
            last = verdict == Online::InputBook::Verdict::SECOND_IN_STEP ? S
                   : verdict == Online::InputBook::Verdict::MOVED        ? L
                                                                         : A;
        }
        std::vector<Online::StepHeading> out;
        book.take(next, match, out);
        // The first input is played at the next step, a late one too.
        const int first = row.inputs.front().heading;
        const Outcome given =
            seen(first, match.getPlayer(0).heading, out.empty() ? -1 : out[0].heading);
        return static_cast<int>(last == A || given != A ? given : last);
    }

    // What the client books (and so sends), and shows on its copy.
    static int prediction(const Row& row, Match& match)
    {
        if (!oneInputForTheNextStep(row)) {
            return NONE;
        }
        // The server's first step confirmed (straight on), then the ground.
        Online::PredictedMatch client;
        client.start(match.getSetup(), {0});
        MatchState ground;
        match.save(ground);
        if (ground.step > 0) {
            Online::Message played;
            played.step = 1;
            client.predictTo(1, 1);
            played.checksum = client.match().checksum();
            EXPECT_EQ(Online::PredictedMatch::Confirmation::AGREED, client.confirm(played));
        }
        EXPECT_TRUE(client.restoreFull(ground));
        const int heading = row.inputs[0].heading;
        const int before = match.getPlayer(0).heading;
        const unsigned long at = client.steer(0, heading);
        client.predictTo(ground.step + 1, 1);
        EXPECT_EQ(at != 0, client.match().getPlayer(0).heading == heading && heading != before)
            << "a booked turn shows on the copy at the next step";
        return static_cast<int>(seen(heading, before, at != 0 ? heading : before));
    }

    static int bot(const Row& row, Match& match)
    {
        if (row.walls.empty()) {
            return NONE;
        }
        Online::BotPilot pilot(1, 9);
        pilot.startMatch(match, {0});
        const int wish = pilot.decide(match, {0})[0];
        const int heading = row.inputs.back().heading;
        return static_cast<int>(wish == heading                         ? A
                                : heading == match.getPlayer(0).heading ? N
                                                                        : R);
    }
};

TEST_F(TurnRulesTable, EveryCallerGivesTheOutcomeTheRulesGiveUnderEachPolicy)
{
    const std::vector<std::pair<const char*, Caller>> callers = {
        {"held keys", [this](const Row& r, Match& m) { return local(r, m, false); }},
        {"the turn buffer", [this](const Row& r, Match& m) { return local(r, m, true); }},
        {"the server's book", [](const Row& r, Match& m) { return book(r, m); }},
        {"a client's prediction", [](const Row& r, Match& m) { return prediction(r, m); }},
        {"the bot", [](const Row& r, Match& m) { return bot(r, m); }},
    };
    for (const Row& row : ROWS) {
        for (int p = 0; p < 3; ++p) {
            SCOPED_TRACE(std::string(row.name) + ", policy " + std::to_string(p));
            Match match(setupFor(POLICIES[p]));
            groundOf(row, match);
            // The rules themselves, for the last input.
            const Input& last = row.inputs.back();
            const unsigned long next = match.getStepCount() + 1;
            const unsigned long open = row.inputs.size() > 1 ? next + 1 : 0;
            const Outcome when = TurnRules::schedule(next + last.named, open, next);
            EXPECT_EQ(row.outcome[p],
                      when == A ? TurnRules(match).judge(match, 0, last.heading) : when);
            int expressed = 0;
            for (const auto& caller : callers) {
                SCOPED_TRACE(caller.first);
                Match played(match.getSetup());
                groundOf(row, played);
                const int outcome = caller.second(row, played);
                if (outcome != NONE) {
                    ++expressed;
                    EXPECT_EQ(static_cast<int>(row.outcome[p]), outcome);
                }
            }
            EXPECT_GE(expressed, row.inputs.size() == 1 && last.named == 0 ? 4 : 1);
        }
    }
}

// Replays keep verifying: a header without the policy reads as classic, and
// each policy comes back from the header it is written in.
TEST(TurnRulesHeaderTest, ATurnBufferReplayRecordedBeforeThePolicyStillVerifies)
{
    Replay replay;
    std::string error;
    ASSERT_TRUE(Replay::load(std::string(VEKTRA_SOURCE_DIR) +
                                 "/tests/App/replays/turn-buffer-before-reversals.vkr",
                             replay, error))
        << error;
    EXPECT_EQ(ReversalPolicy::APPLIED, replay.header.setup.reversals);
    Match match(replay.header.setup);
    ReplayPlayback playback(replay);
    EXPECT_TRUE(playback.playAll(match));
    EXPECT_EQ("WIN=1", match.result());

    for (ReversalPolicy policy : POLICIES) {
        MatchHeader header;
        header.setup = setupFor(policy);
        MatchHeader read;
        std::size_t used = 0;
        ASSERT_TRUE(MatchHeader::decode(header.encode(), read, used, error)) << error;
        EXPECT_EQ(policy, read.setup.reversals);
    }
}

} // namespace
