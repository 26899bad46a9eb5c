#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Sound {

// One sound file read whole into 16-bit samples through libsndfile, interleaved by channel.
// Holds values only.
struct SoundFile {
    std::vector<std::int16_t> samples;
    int channels = 0;
    int sampleRate = 0;

    // Reads fileName. False, with nothing kept, for a file libsndfile cannot read as audio,
    // one with fewer frames than its header promises, more than two channels, a sample rate
    // outside 8000 to 192000 Hz or more than maxSeconds of sound.
    bool read(const std::string& fileName, double maxSeconds);
};

} // namespace Sound
