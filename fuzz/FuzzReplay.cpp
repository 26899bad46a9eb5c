// Fuzzing harness: arbitrary bytes as a replay file, once as they are and
// once with the CRC they need appended (so that mutations reach the header
// and records behind the CRC check). The reader either refuses them with a
// reason or gives a replay whose encoding reads back as the same replay; a
// small accepted match is also played back, which must end within the
// match's own bound of steps.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include <zlib.h>

#include "app/match/Match.h"
#include "app/replay/Replay.h"
#include "app/replay/ReplayPlayback.h"

namespace {

void check(const std::string& bytes)
{
    Tool::Replay replay;
    std::string error;
    if (!Tool::Replay::decode(bytes, replay, error)) {
        if (error.empty() || error.find('\n') != std::string::npos) {
            std::abort(); // one line that says why
        }
        return;
    }
    // What it reads, written again, reads back as the same replay.
    const std::string again = replay.encode();
    Tool::Replay second;
    if (!Tool::Replay::decode(again, second, error) || second.encode() != again) {
        std::abort();
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
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string bytes(reinterpret_cast<const char*>(data), size);
    check(bytes);
    const uLong crc = crc32(0L, data, static_cast<uInt>(size));
    for (int i = 0; i < 4; ++i) {
        bytes += static_cast<char>((crc >> (8 * i)) & 0xFF);
    }
    check(bytes);
    return 0;
}
