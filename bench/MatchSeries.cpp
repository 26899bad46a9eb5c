// A series of matches played back to back by the whole game without a
// display, for the memory benchmark (bench/memory.sh runs it under
// /usr/bin/time): the shipped settings, space held from the first frame so
// that every match ends straight into the next, for the given number of
// minutes of game time at the shipped frame rate. Prints the frames and
// matches it played.
//
// With "norender" no render event is raised (the match frame alone, for a
// profile of it).
//
// Usage: vektra_match_series MINUTES [norender]

#include <cstdio>
#include <cstdlib>
#include <string>

#include "Game/GameManager.h"
#include "Game/I_GameUpdated.h"
#include "ShippedSettings.h"
#include "app/MainLogic.h"
#include "app/tools/HeadlessVektra.h"

namespace {

// Counts the finished matches: the match state's result turns non-empty at
// the step that ends a match and stays so until the next match starts.
class MatchCounter : public Game::I_GameUpdated {
public:
    explicit MatchCounter(Tool::MainLogic* match) : match(match) {}

    void onGameUpdated(const float&) override
    {
        const bool over = !match->getResult().empty();
        if (over && !wasOver) {
            ++matches;
        }
        wasOver = over;
    }

    Tool::MainLogic* match;
    bool wasOver = false;
    long matches = 0;
};

} // namespace

int main(int argc, char** argv)
{
    const double minutes = argc > 1 ? std::atof(argv[1]) : 10.0;
    if (minutes <= 0) {
        std::fprintf(stderr, "usage: %s MINUTES\n", argv[0]);
        return 2;
    }
    Bench::loadSettings({});
    const int frameRate = Bench::setting("FRAME_RATE");
    const int frames = static_cast<int>(minutes * 60.0 * frameRate);
    const bool render = !(argc > 2 && std::string(argv[2]) == "norender");
    Tool::HeadlessVektra game(1.0 / frameRate, {Game::HeadlessApp::Input::keyDown(0, 32)}, frames,
                              Bench::shippedSettingsFile(), render);
    MatchCounter counter(game.match);
    game.manager.addGameUpdated(&counter);
    game.run();
    std::printf("%d frames, %ld matches finished\n", game.app.getFramesRun(), counter.matches);
    return 0;
}
