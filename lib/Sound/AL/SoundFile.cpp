#include "Sound/AL/SoundFile.h"

#include <sndfile.h>

#include <cstring>

namespace Sound {

namespace {

constexpr int MIN_RATE = 8000;
constexpr int MAX_RATE = 192000;

bool acceptable(const SF_INFO& info, double maxSeconds)
{
    return (info.channels == 1 || info.channels == 2) && info.samplerate >= MIN_RATE &&
           info.samplerate <= MAX_RATE && info.frames > 0 &&
           static_cast<double>(info.frames) <= maxSeconds * info.samplerate;
}

// libsndfile reads a file whose data ends early as far as it goes, and notes in its log that
// the data chunk "should be" shorter than its header says: its own diagnosis of a cut file.
bool truncated(SNDFILE* file)
{
    char log[4096] = {};
    sf_command(file, SFC_GET_LOG_INFO, log, sizeof(log) - 1);
    for (const char* line = log; line != nullptr && *line != '\0';) {
        const char* end = std::strchr(line, '\n');
        const std::string text(line, end != nullptr ? end : line + std::strlen(line));
        if (text.rfind("data", 0) == 0 && text.find("should be") != std::string::npos) {
            return true;
        }
        line = end != nullptr ? end + 1 : nullptr;
    }
    return false;
}

} // namespace

bool SoundFile::read(const std::string& fileName, double maxSeconds)
{
    samples.clear();
    channels = 0;
    sampleRate = 0;
    SF_INFO info{};
    SNDFILE* file = sf_open(fileName.c_str(), SFM_READ, &info);
    if (file == nullptr) {
        return false;
    }
    // The header's length is checked before anything is allocated, so a
    // header that lies about a huge length costs nothing.
    bool ok = acceptable(info, maxSeconds) && !truncated(file);
    if (ok) {
        std::vector<std::int16_t> data(static_cast<std::size_t>(info.frames) * info.channels);
        // A short read means the data ends before the header says: a truncated file.
        ok = sf_readf_short(file, data.data(), info.frames) == info.frames;
        if (ok) {
            samples.swap(data);
            channels = info.channels;
            sampleRate = info.samplerate;
        }
    }
    sf_close(file);
    return ok;
}

} // namespace Sound
