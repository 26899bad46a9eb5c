#include "ReplayCheck.h"

#include <algorithm>

#include "app/match/Match.h"
#include "app/replay/Replay.h"
#include "app/replay/ReplayPlayback.h"

namespace Tool {

namespace {

const char* const OPTION = "--replay";

// 0 when every checksum held, else 1 (differs) or 2 (bad file).
int checkOne(const std::string& path, std::ostream& out, std::ostream& errors)
{
    Replay replay;
    std::string error;
    if (!Replay::load(path, replay, error)) {
        errors << "vektra-sim: " << error << "\n";
        return 2;
    }
    Match match(replay.header.setup);
    ReplayPlayback playback(replay);
    if (!playback.playAll(match)) {
        errors << "vektra-sim: " << path << ": the match differs from step "
               << playback.firstMismatch() << " on\n";
        return 1;
    }
    const std::string result = replay.outcome == Replay::LEFT ? "LEAVE" : match.result();
    out << path << ": match " << replay.header.matchNumber << ", " << match.getStepCount()
        << " steps, " << result << ", " << replay.checks.size() << " checksums hold\n";
    return 0;
}

} // namespace

bool ReplayCheck::wanted(const std::vector<std::string>& args)
{
    return std::find(args.begin(), args.end(), OPTION) != args.end();
}

int ReplayCheck::run(const std::vector<std::string>& args, std::ostream& out, std::ostream& errors)
{
    int code = 0;
    int files = 0;
    for (const std::string& arg : args) {
        if (arg == OPTION) {
            continue;
        }
        ++files;
        code = std::max(code, checkOne(arg, out, errors));
    }
    if (files == 0) {
        errors << "vektra-sim: --replay needs one or more replay files\n";
        return 3;
    }
    return code;
}

} // namespace Tool
