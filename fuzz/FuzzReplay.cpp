// Fuzzing harness: arbitrary bytes as a replay file. The reader either
// refuses them with a reason or gives a replay that encodes back to the
// very same bytes; a small accepted match is also played back, which must
// end within the match's own bound of steps.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/match/Match.h"
#include "app/match/Replay.h"
#include "app/match/ReplayPlayback.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    Tool::Replay replay;
    std::string error;
    if (!Tool::Replay::decode(bytes, replay, error)) {
        if (error.empty() || error.find('\n') != std::string::npos) {
            std::abort(); // one line that says why
        }
        return 0;
    }
    if (replay.encode() != bytes) {
        std::abort(); // one encoding per replay
    }
    const Tool::MatchSetup& setup = replay.header.setup;
    if (static_cast<long>(setup.gridWidth) * setup.gridHeight <= 4096) {
        Tool::Match match(setup);
        Tool::ReplayPlayback playback(replay);
        playback.playAll(match);
        if (match.getStepCount() > static_cast<unsigned long>(setup.gridWidth) * setup.gridHeight) {
            std::abort();
        }
    }
    return 0;
}
