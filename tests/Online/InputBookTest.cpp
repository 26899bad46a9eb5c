#include <gtest/gtest.h>

#include "app/match/Headings.h"
#include "app/match/Match.h"
#include "app/online/InputBook.h"

using Online::InputBook;
using Verdict = InputBook::Verdict;

namespace {

// Two people on an open 300 x 300 grid: player 0 starts at (75, 75)
// heading right, player 1 at (224, 224) heading left; both can go straight
// on for well over a hundred steps.
Tool::MatchSetup twoPeople()
{
    Tool::MatchSetup setup;
    setup.gridWidth = 300;
    setup.gridHeight = 300;
    setup.playerCount = 2;
    setup.humans = 2;
    setup.levels.assign(2, 0);
    // As the server plays online: every turn straight back dropped.
    setup.reversals = Tool::ReversalPolicy::DROPPED;
    return setup;
}

struct Submit {
    int player;
    unsigned long step;
    int heading;
    Verdict verdict;
};

struct Case {
    const char* rule;
    unsigned long nextStep; // the first step not played when they arrive
    std::vector<Submit> submits;
    // What take() gives at nextStep, nextStep + 1, nextStep + 2 for
    // player 0 (-1: nothing).
    int applied[3];
};

} // namespace

TEST(InputBookTest, TheSteeringRulesDecideWhatIsAppliedWhere)
{
    using namespace Tool;
    const Case cases[] = {
        {"an input for its own step is applied there",
         5,
         {{0, 6, UP, Verdict::TAKEN}},
         {-1, UP, -1}},
        {"a late input moves to the next step, its later ones follow in order",
         10,
         {{0, 8, UP, Verdict::MOVED}, {0, 9, LEFT, Verdict::MOVED}, {0, 10, DOWN, Verdict::TAKEN}},
         {UP, LEFT, DOWN}},
        {"a second change for one step is dropped",
         5,
         {{0, 5, UP, Verdict::TAKEN}, {0, 5, DOWN, Verdict::SECOND_IN_STEP}},
         {UP, -1, -1}},
        {"an input for an earlier step than one booked is dropped",
         5,
         {{0, 7, UP, Verdict::TAKEN}, {0, 6, DOWN, Verdict::SECOND_IN_STEP}},
         {-1, -1, UP}},
        {"far in the past is dropped",
         100,
         {{0, 100 - InputBook::MAX_LATE - 1, UP, Verdict::TOO_OLD}},
         {-1, -1, -1}},
        {"just inside the past is moved",
         100,
         {{0, 100 - InputBook::MAX_LATE, UP, Verdict::MOVED}},
         {UP, -1, -1}},
        {"far in the future is dropped",
         5,
         {{0, 5 + InputBook::MAX_AHEAD + 1, UP, Verdict::TOO_FAR}},
         {-1, -1, -1}},
        {"a turn straight back is dropped where it is applied",
         5,
         {{0, 5, LEFT, Verdict::TAKEN}},
         {-1, -1, -1}},
        {"the heading already held is no change",
         5,
         {{0, 5, RIGHT, Verdict::TAKEN}, {0, 6, UP, Verdict::TAKEN}},
         {-1, UP, -1}},
        {"a player outside the book and a heading outside the four",
         5,
         {{2, 5, UP, Verdict::BAD_PLAYER}, {0, 5, 4, Verdict::BAD_HEADING}},
         {-1, -1, -1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rule);
        Match match(twoPeople());
        match.start(twoPeople());
        // Straight on to the step before nextStep, player 0 heading right.
        while (match.getStepCount() + 1 < c.nextStep) {
            match.step(MatchInputs());
        }
        InputBook book;
        book.reset(2);
        for (const Submit& s : c.submits) {
            EXPECT_EQ(s.verdict, book.submit(s.player, s.step, s.heading, c.nextStep))
                << "step " << s.step;
        }
        for (int k = 0; k < 3; ++k) {
            std::vector<Online::StepHeading> out;
            book.take(c.nextStep + k, match, out);
            const int got = out.empty() ? -1 : out[0].heading;
            EXPECT_EQ(c.applied[k], got) << "at step " << c.nextStep + k;
            MatchInputs inputs;
            for (const Online::StepHeading& h : out) {
                inputs.heading[h.player] = h.heading;
            }
            match.step(inputs);
        }
    }
}
