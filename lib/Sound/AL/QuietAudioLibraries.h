#pragma once

namespace Sound {

// Switches off what the audio libraries under OpenAL print on their own: OpenAL Soft's log
// (unless ALSOFT_LOGLEVEL is already set, for someone debugging it) and ALSA's error
// messages, which it writes to standard error while probing for a device. The game reports
// a missing device itself, in one line. Call before the first device is opened; repeated
// calls do nothing more.
void quietAudioLibraries();

} // namespace Sound
