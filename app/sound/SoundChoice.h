#pragma once

#include <ostream>
#include <string>

namespace Sound {
class I_SoundController;
}

namespace Tool {

// The sound controller the settings ask for, made once the settings are loaded: with "SOUND"
// set to YES the OpenAL one, started and set to "SOUND_VOLUME" (0 to 100, absent: 100);
// otherwise null, so start-up keeps the one that does nothing. When OpenAL cannot start (no
// audio device), one warning line goes to the error stream and the result is null too: the
// game plays on, silently. Owned by the caller.
Sound::I_SoundController* makeVektraSound();
// True once makeVektraSound was asked for sound and found no audio output, so the title can say
// so.
bool soundDeviceMissing();

// The volume of every sound, 0 to 100: "SOUND_VOLUME", 100 when absent; one outside is brought
// to the nearer end, with a line on notes. Throws std::domain_error, naming the setting, for a
// value that is no number.
int soundVolume(std::ostream& notes);

// Where the game's sound files are: the "SOUND_DIR" environment variable when set (a relative
// folder taken from the folder the player started in, "~/" from the home folder), else the
// sounds folder beside the running program (the build tree) when it exists, else the
// installed data folder found from the program's own place. Never the working directory.
std::string soundFolder();

} // namespace Tool
