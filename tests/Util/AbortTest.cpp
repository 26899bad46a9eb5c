#include <gtest/gtest.h>

#include "Util/Abort.h"
#include "Util/Debug.h"

namespace {

void abortWithMessage()
{
    ABORT("Failed to init window");
}

} // namespace

TEST(Abort, SourcePathStartsAtLibAndDropsTheExtension)
{
    EXPECT_EQ(Util::abortSourcePath("/src/vektra/lib/Game/GameManager.cpp"),
              "lib/Game/GameManager");
    EXPECT_EQ(Util::abortSourcePath("lib/Game/GAME_MAIN"), "lib/Game/GAME_MAIN");
    EXPECT_EQ(Util::abortSourcePath("/x/lib/Render/OGL/Controller.cpp"),
              "lib/Render/OGL/Controller");
    // Installed headers name the tree's path; a tree below a folder named
    // include/vektra keeps its own lib/.
    EXPECT_EQ(Util::abortSourcePath("/usr/lib/x/include/vektra/Game/GAME_MAIN"),
              "lib/Game/GAME_MAIN");
    EXPECT_EQ(Util::abortSourcePath("/opt/include/vektra/lib/Util/Abort.h"), "lib/Util/Abort");
}

TEST(AbortDeathTest, WritesTwoLinesAndAborts)
{
    EXPECT_DEATH(abortWithMessage(),
                 "ABORT: Func:void \\{anonymous\\}::abortWithMessage\\(\\) File:.*AbortTest Line: "
                 "[0-9]+\nABORT: Failed to init window");
}

TEST(Debug, HoldsTheStandardStreams)
{
    Util::Debug& debug = Util::Singleton<Util::Debug>::instance();
    EXPECT_EQ(debug.switches, 0x0Eu);
    EXPECT_EQ(debug.out, &std::cout);
    EXPECT_EQ(debug.err, &std::cerr);
    EXPECT_FALSE(debug.logFile.is_open());
    EXPECT_EQ(&debug, &Util::Singleton<Util::Debug>::instance());
}
