#include <csignal>

#include <chrono>
#include <fstream>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "Support/ProgramRun.h"
#include "Support/TempDir.h"
#include "app/online/ClientSession.h"

namespace {

double secondsNow()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The port from the status file the server keeps, 0 until it is there.
int portFrom(const std::string& statusFile)
{
    std::ifstream in(statusFile);
    std::string line;
    std::getline(in, line);
    const std::size_t at = line.find("PORT=");
    return at == std::string::npos ? 0 : std::atoi(line.c_str() + at + 5);
}

} // namespace

TEST(ServerProgramTest, ASignalTellsTheClientsAndEndsTheServerWithZero)
{
    TestSupport::TempDir dir;
    dir.copy("vektra.cfg", VEKTRA_SHIPPED_CFG);
    TestSupport::ProgramRun server(VEKTRA_SERVER, dir.dir());
    server.timeLimit(30).sanitizerPreload();
    server.start({"PORT==0", "BIND_ADDRESS==127.0.0.1", "STATUS_FILE==" + dir.path("status")});
    const double until = secondsNow() + 15;
    int port = 0;
    while (port == 0 && server.running() && secondsNow() < until) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        port = portFrom(dir.path("status"));
    }
    ASSERT_NE(0, port) << server.finish().describe();
    Online::ClientOptions options;
    options.port = static_cast<std::uint16_t>(port);
    options.name = "ann";
    Online::ClientSession ann(options);
    using Phase = Online::ClientSession::Phase;
    auto pumpUntil = [&](Phase phase) {
        while (ann.phase() != phase && secondsNow() < until) {
            ann.service(secondsNow());
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return ann.phase() == phase;
    };
    ASSERT_TRUE(pumpUntil(Phase::LOBBY)) << ann.reason();
    ASSERT_TRUE(server.signal(SIGTERM));
    ASSERT_TRUE(pumpUntil(Phase::LOST));
    EXPECT_EQ("the server closed: the server was stopped (SIGTERM)", ann.reason());
    const TestSupport::Outcome outcome = server.finish();
    EXPECT_EQ(0, outcome.exitCode) << outcome.describe() << outcome.err;
    EXPECT_EQ(0u, outcome.out.find("listening PORT=" + std::to_string(port) + "\n")) << outcome.out;
    EXPECT_NE(std::string::npos, outcome.out.find("join ann seats=1 clients=1\n")) << outcome.out;
    EXPECT_NE(std::string::npos, outcome.out.find("status STATE=draining")) << outcome.out;
}

TEST(ServerProgramTest, SettingsItCannotRunWithEndItWithACode)
{
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        const char* message;
    };
    const Case cases[] = {
        {{"PORT==70000"}, 2, "PORT: out of range: 70000 (1 to 65535; 0: any free port)\n"},
        {{"PORT==0", "MOVE_TIME==0"},
         2,
         "MOVE_TIME: out of range: 0 (above 0: a server needs a pace)\n"},
        {{"PORT==0", "BIND_ADDRESS==localhost"}, 1, "not an IPv4 address"},
        // Options other than --help, -h and --version: refused before a port opens.
        {{"PORT==0", "-x"}, 2, "vektra-server: unknown option -x\nusage: vektra-server "},
        {{"--port=4040"}, 2, "vektra-server: unknown option --port=4040\n"},
        {{"PORT==0", "GRID_WIDTH==seven"},
         2,
         "GRID_WIDTH: not a number: Cant convert String to Num:seven\n"},
    };
    TestSupport::TempDir dir;
    dir.copy("vektra.cfg", VEKTRA_SHIPPED_CFG);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        TestSupport::ProgramRun server(VEKTRA_SERVER, dir.dir());
        server.timeLimit(15).sanitizerPreload();
        const TestSupport::Outcome outcome = server.run(c.args);
        EXPECT_EQ(c.exitCode, outcome.exitCode) << outcome.describe();
        EXPECT_NE(std::string::npos, outcome.err.find(c.message)) << outcome.err;
        EXPECT_EQ(std::string::npos, outcome.out.find("listening")) << outcome.out;
    }
    const TestSupport::Outcome help =
        TestSupport::ProgramRun(VEKTRA_SERVER, dir.dir()).sanitizerPreload().run({"-h"});
    EXPECT_EQ(0, help.exitCode);
    EXPECT_EQ(0u, help.out.find("usage: vektra-server")) << help.out;
}
