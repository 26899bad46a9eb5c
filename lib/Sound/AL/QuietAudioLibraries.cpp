#include "Sound/AL/QuietAudioLibraries.h"

#include <dlfcn.h>

#include <cstdlib>

namespace Sound {

namespace {

// ALSA's error handler type, declared here so that no ALSA headers are needed: OpenAL Soft
// loads ALSA at run time, and so does this file.
using AlsaErrorHandler = void (*)(const char* file, int line, const char* function, int err,
                                  const char* fmt, ...);
using SetAlsaErrorHandler = int (*)(AlsaErrorHandler);

void dropAlsaMessage(const char*, int, const char*, int, const char*, ...) {}

void quietAlsa()
{
    // Kept loaded for the whole run: ALSA holds the handler, and OpenAL's own dlopen of the
    // library finds this same instance.
    void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_GLOBAL);
    if (alsa == nullptr) {
        return;
    }
    auto set = reinterpret_cast<SetAlsaErrorHandler>(dlsym(alsa, "snd_lib_error_set_handler"));
    if (set != nullptr) {
        set(&dropAlsaMessage);
    }
}

} // namespace

void quietAudioLibraries()
{
    static bool l_done = false;
    if (l_done) {
        return;
    }
    l_done = true;
    // OpenAL Soft reads it when its first device is opened.
    setenv("ALSOFT_LOGLEVEL", "0", 0);
    quietAlsa();
}

} // namespace Sound
