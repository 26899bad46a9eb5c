#include "ReplayRecorder.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>

#include "app/match/Match.h"

namespace Tool {

namespace {

std::string nowStamp()
{
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const long millis = static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() %
        1000);
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char text[64];
    std::snprintf(text, sizeof text, "%04d%02d%02d-%02d%02d%02d-%03ld", utc.tm_year + 1900,
                  utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec, millis);
    return text;
}

} // namespace

ReplayRecorder::ReplayRecorder(const std::string& folder, std::ostream& warnings)
    : folder(folder), warnings(warnings), runStamp(nowStamp())
{
}

std::string ReplayRecorder::fileName(const std::string& runStamp, unsigned long number)
{
    char text[24];
    std::snprintf(text, sizeof text, "%06lu", number);
    return runStamp + "-" + text + ".vkr";
}

void ReplayRecorder::begin(const Match& match, unsigned long number)
{
    active = isRecording();
    if (!active) {
        return;
    }
    replay = Replay();
    replay.header.setup = match.getSetup();
    replay.header.matchNumber = number;
}

void ReplayRecorder::beforeStep(const Match& match, const MatchInputs& inputs)
{
    if (active) {
        replay.noteInputs(match, inputs);
    }
}

void ReplayRecorder::afterStep(const Match& match)
{
    if (active) {
        replay.noteStep(match);
    }
}

void ReplayRecorder::end(const Match& match, bool left)
{
    if (!active) {
        return;
    }
    active = false;
    replay.noteEnd(match, left);
    const std::string path = folder + "/" + fileName(runStamp, replay.header.matchNumber);
    const std::string bytes = replay.encode();
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) {
        warnings << "RECORD_DIR: cannot write " << path << ": recording no more matches"
                 << std::endl;
        std::remove(path.c_str());
        folder.clear();
        gaveUp = true;
    }
}

} // namespace Tool
