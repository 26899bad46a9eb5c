#pragma once

#include <ostream>
#include <string>

#include "Replay.h"

namespace Tool {

class Match;
struct MatchInputs;

// Records each match into a folder ("RECORD_DIR"), one file per finished
// or left match, named <run's start time>-<match number>.vkr so that the
// files sort by time and, within a run, by match number. A folder that
// cannot be written is reported once, and nothing more is recorded. Owns
// the replay being recorded; the match is the caller's.
class ReplayRecorder {
public:
    // An empty folder records nothing. warnings receives the one line.
    ReplayRecorder(const std::string& folder, std::ostream& warnings);

    bool isRecording() const { return !folder.empty(); }
    // True once a file could not be written (and recording stopped).
    bool failed() const { return gaveUp; }
    // At a match's start, after match.start.
    void begin(const Match& match, unsigned long number);
    // Around each step: before with its inputs, after the step.
    void beforeStep(const Match& match, const MatchInputs& inputs);
    void afterStep(const Match& match);
    // At the match's end (left: before a result); writes the file.
    void end(const Match& match, bool left);

    // The file's name for a run started at runStamp (UTC,
    // "YYYYMMDD-HHMMSS-mmm") and the match's number in it.
    static std::string fileName(const std::string& runStamp, unsigned long number);

private:
    std::string folder;
    std::ostream& warnings;
    std::string runStamp;
    Replay replay;
    bool active = false;
    bool gaveUp = false;
};

} // namespace Tool
