#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Support/ProgramRun.h"
#include "Support/TempDir.h"

// The server's password is set in a settings file like any key, but the
// inspector never shows its value, in any of the ways it prints settings.
TEST(VektraConfigPassword, TheValueIsNeverPrinted)
{
    TestSupport::TempDir dir;
    dir.write("vektra.cfg", "GRID_WIDTH == 40\n");
    dir.write("server.cfg", "PASSWORD == hunter2\n");
    struct Case {
        std::vector<std::string> args;
        const char* shown; // on standard output
    };
    const Case cases[] = {
        {{"server.cfg"}, "# PASSWORD == (set; never shown)\n"},
        {{"--get", "PASSWORD", "server.cfg"}, "\n"},
        {{"--get", "PASSWORD", "PASSWORD==hunter2"}, "\n"},
        {{"--check", "server.cfg"}, "vektra-config: the game runs with these settings\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[0] + " " + c.args.back());
        const TestSupport::Outcome outcome =
            TestSupport::ProgramRun(VEKTRA_CONFIG, dir.dir()).run(c.args);
        EXPECT_EQ(0, outcome.exitCode) << outcome.describe();
        EXPECT_NE(std::string::npos, outcome.out.find(c.shown)) << outcome.out;
        EXPECT_EQ(std::string::npos, (outcome.out + outcome.err).find("hunter2"));
    }
    // An empty password is no secret: an open server, shown as it is.
    const TestSupport::Outcome open =
        TestSupport::ProgramRun(VEKTRA_CONFIG, dir.dir()).run({"--get", "PASSWORD"});
    EXPECT_EQ("\n", open.out);
    EXPECT_EQ("", open.err);
}
