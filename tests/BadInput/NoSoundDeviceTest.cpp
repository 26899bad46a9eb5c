// Sound switched on where no audio output can be opened: one warning line, and the matches
// are played to their end as without sound.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "Support/ProgramRun.h"
#include "Support/TempDir.h"

#ifdef VEKTRA_SIM

namespace {

TEST(NoSoundDevice, OneWarningAndTheMatchesFinish)
{
    TestSupport::TempDir dir;
    dir.copy("vektra.cfg", VEKTRA_SHIPPED_CFG);
    // ALSA asked for a device that does not exist, which it complains about on its own
    // unless silenced, then an output driver that does not exist.
    const std::string conf = dir.write(
        "alsoft.conf", "drivers = alsa,no-such-driver\n[alsa]\ndevice = no-such-device\n");

    TestSupport::ProgramRun program(VEKTRA_SIM, dir.dir());
    const TestSupport::Outcome outcome =
        program.timeLimit(60)
            .environment("ALSOFT_CONF=" + conf)
            .run({"--matches=3", "--csv", "NUM_PLAYERS==2", "SOUND==YES"});
    ASSERT_EQ(0, outcome.exitCode) << outcome.describe() << "\n" << outcome.err;
    EXPECT_EQ("vektra: no sound: no audio output could be opened; playing without sound\n",
              outcome.err);
    EXPECT_NE(std::string::npos, outcome.out.find(",3,")) << outcome.out;
}

} // namespace

#endif
