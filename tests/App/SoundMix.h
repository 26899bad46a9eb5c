#pragma once

// Sound as a listener hears it: OpenAL Soft's wave writer mixes whatever the game plays into a
// file, in real time, so the headless game is paced to real time while it records.
#include <sndfile.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <complex>
#include <string>
#include <thread>
#include <vector>

#include "Game/I_GameUpdated.h"
#include "Support/TempDir.h"
#include "app/MainLogic.h"

namespace SoundMix {

using Clock = std::chrono::steady_clock;

constexpr double FRAME_SECONDS = 0.016;

// Points OpenAL Soft at its wave writer, recording to mix.wav in dir, and the game at the
// sounds of the build.
inline std::string recordInto(TestSupport::TempDir& dir)
{
    const std::string mixPath = dir.path("mix.wav");
    const std::string conf =
        dir.write("alsoft.conf", "drivers = wave\n[wave]\nfile = " + mixPath + "\n");
    setenv("ALSOFT_CONF", conf.c_str(), 1);
    setenv("SOUND_DIR", VEKTRA_BUILD_SOUND_DIR, 1);
    return mixPath;
}

// Holds every frame to its real-time start and notes, in seconds since the sound started,
// when the step that turned and the step that crashed player 0 ran (the frame before the
// one that sees them) and when the result came.
class RealTimePacer : public Game::I_GameUpdated {
public:
    RealTimePacer(const Tool::MainLogic& match, Clock::time_point origin)
        : match(match), origin(origin)
    {
    }

    void onGameUpdated(const float&) override
    {
        std::this_thread::sleep_until(origin +
                                      std::chrono::duration<double>(frames * FRAME_SECONDS));
        const double now = std::chrono::duration<double>(Clock::now() - origin).count();
        if (match.inMatch() && startAt < 0) {
            startAt = previous;
        }
        if (match.getMatchesStarted() > 0 && match.getPlayer(0).heading == Tool::MainLogic::UP &&
            turnAt < 0) {
            turnAt = previous;
        }
        if (match.getMatchesStarted() > 0 && !match.getPlayer(0).alive && crashAt < 0) {
            crashAt = previous;
        }
        if (!match.getResult().empty() && resultAt < 0) {
            resultAt = previous;
        }
        previous = now;
        ++frames;
    }

    const Tool::MainLogic& match;
    Clock::time_point origin;
    int frames = 0;
    double previous = 0;
    double startAt = -1;
    double turnAt = -1;
    double crashAt = -1;
    double resultAt = -1;
};

// The mixed file, both channels interleaved.
struct Mix {
    std::vector<float> samples;
    int channels = 0;
    int rate = 0;

    explicit Mix(const std::string& path)
    {
        SF_INFO info{};
        if (SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info)) {
            channels = info.channels;
            rate = info.samplerate;
            samples.resize(static_cast<std::size_t>(info.frames) * channels);
            sf_readf_float(file, samples.data(), info.frames);
            sf_close(file);
        }
    }

    double seconds() const { return rate > 0 ? double(samples.size()) / channels / rate : 0; }

    std::size_t index(double second) const
    {
        const auto frame = static_cast<std::size_t>(std::max(0.0, second) * rate);
        return std::min(samples.size(), frame * channels);
    }

    // When the first sample louder than level sounds; the file's length
    // when none does.
    double firstHeard(float level) const
    {
        for (std::size_t i = 0; i < samples.size(); ++i) {
            if (std::fabs(samples[i]) > level) {
                return double(i / channels) / rate;
            }
        }
        return seconds();
    }

    // The loudest sample in [from, to) seconds.
    float peak(double from, double to) const
    {
        float loudest = 0;
        for (std::size_t i = index(from); i < index(to); ++i) {
            loudest = std::max(loudest, std::fabs(samples[i]));
        }
        return loudest;
    }

    // Samples at full scale, where a louder mix was cut off.
    int clipped() const
    {
        return static_cast<int>(std::count_if(samples.begin(), samples.end(), [](float s) {
            return std::fabs(s) >= 32767.0f / 32768;
        }));
    }

    // The channels' mean over [from, to) seconds, one value per frame.
    std::vector<double> mono(double from, double to) const
    {
        std::vector<double> out;
        for (std::size_t i = index(from); i + channels <= index(to); i += channels) {
            double sum = 0;
            for (int c = 0; c < channels; ++c) {
                sum += samples[i + c];
            }
            out.push_back(sum / channels);
        }
        return out;
    }

    // The share of the energy in [from, to) seconds between low and high Hz.
    double bandShare(double from, double to, double low, double high) const
    {
        std::vector<double> signal = mono(from, to);
        std::size_t n = 1;
        while (n < signal.size()) {
            n *= 2;
        }
        std::vector<std::complex<double>> bins(signal.begin(), signal.end());
        bins.resize(n);
        transform(bins);
        double inside = 0, total = 0;
        for (std::size_t k = 1; k < n / 2; ++k) {
            const double hz = double(k) * rate / n;
            const double power = std::norm(bins[k]);
            total += power;
            inside += hz >= low && hz < high ? power : 0;
        }
        return total > 0 ? inside / total : 0;
    }

    // The strength of one frequency in [from, to) seconds (Goertzel).
    double toneStrength(double from, double to, double hz) const
    {
        const std::vector<double> signal = mono(from, to);
        const double w = 2 * M_PI * hz / rate;
        double s1 = 0, s2 = 0;
        for (const double x : signal) {
            const double s0 = x + 2 * std::cos(w) * s1 - s2;
            s2 = s1;
            s1 = s0;
        }
        return std::sqrt(std::max(0.0, s1 * s1 + s2 * s2 - 2 * std::cos(w) * s1 * s2)) /
               std::max<std::size_t>(1, signal.size());
    }

    // The strongest the frequency gets in any 50 ms of [from, to) seconds,
    // 10 ms apart: a short cue anywhere in a window that allows for the
    // mixer's delay.
    double strongest(double from, double to, double hz) const
    {
        double most = 0;
        for (double at = from; at + 0.05 <= to; at += 0.01) {
            most = std::max(most, toneStrength(at, at + 0.05, hz));
        }
        return most;
    }

private:
    // In-place radix-2 FFT; bins.size() is a power of two.
    static void transform(std::vector<std::complex<double>>& bins)
    {
        const std::size_t n = bins.size();
        for (std::size_t i = 1, j = 0; i < n; ++i) {
            std::size_t bit = n >> 1;
            for (; j & bit; bit >>= 1) {
                j ^= bit;
            }
            j ^= bit;
            if (i < j) {
                std::swap(bins[i], bins[j]);
            }
        }
        for (std::size_t length = 2; length <= n; length <<= 1) {
            const std::complex<double> step = std::polar(1.0, -2 * M_PI / double(length));
            for (std::size_t i = 0; i < n; i += length) {
                std::complex<double> w = 1;
                for (std::size_t j = 0; j < length / 2; ++j) {
                    const std::complex<double> u = bins[i + j];
                    const std::complex<double> v = bins[i + j + length / 2] * w;
                    bins[i + j] = u + v;
                    bins[i + j + length / 2] = u - v;
                    w *= step;
                }
            }
        }
    }
};

} // namespace SoundMix
