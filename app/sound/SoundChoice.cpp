#include "SoundChoice.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <ostream>

#include "CFG/CFG.h"
#include "CFG/SettingNumber.h"
#include "Files/UserPath.h"
#include "Sound/AL/OpenALController.h"
#include "Util/Debug.h"

#ifndef VEKTRA_SOUNDS_FROM_PROGRAM
#define VEKTRA_SOUNDS_FROM_PROGRAM "../../../share/games/vektra/sounds"
#endif

namespace Tool {

namespace {

constexpr int MOST_VOLUME = 100;

bool noDevice = false;

std::string programFolder()
{
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
    if (length <= 0) {
        return std::string();
    }
    const std::string program(path, static_cast<std::size_t>(length));
    return program.substr(0, program.rfind('/'));
}

bool isFolder(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

int soundVolume(std::ostream& notes)
{
    const std::string text = CFG::get("SOUND_VOLUME");
    if (text.empty()) {
        return MOST_VOLUME;
    }
    const int asked = CFG::SettingNumber::read<int>("SOUND_VOLUME", text);
    return CFG::SettingNumber::clamp("SOUND_VOLUME", text, asked, 0, MOST_VOLUME, notes);
}

Sound::I_SoundController* makeVektraSound()
{
    if (!CFG::parser()->getBool("SOUND")) {
        return nullptr;
    }
    auto sound = std::make_unique<Sound::OpenALController>();
    if (!sound->init()) {
        noDevice = true;
        *Util::Debug::instance().err
            << "vektra: no sound: no audio output could be opened; playing without sound"
            << std::endl;
        return nullptr;
    }
    // The settings check said what is out of range at start-up.
    std::ostream quiet(nullptr);
    sound->setVolume(Sound::OpenALController::ALL_SOURCES, soundVolume(quiet));
    return sound.release();
}

bool soundDeviceMissing()
{
    return noDevice;
}

std::string soundFolder()
{
    const char* fromEnvironment = std::getenv("SOUND_DIR");
    if (fromEnvironment != nullptr && *fromEnvironment != '\0') {
        return Files::UserPath::resolve(fromEnvironment, Files::UserPath::startFolder());
    }
    const std::string program = programFolder();
    if (program.empty()) {
        return std::string();
    }
    if (isFolder(program + "/sounds")) {
        return program + "/sounds";
    }
    return program + "/" VEKTRA_SOUNDS_FROM_PROGRAM;
}

} // namespace Tool
