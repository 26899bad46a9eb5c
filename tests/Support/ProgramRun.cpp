#include "Support/ProgramRun.h"

#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

#include "Support/SanitizerPreload.h"

namespace {

std::string readAll(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// A fresh empty file for captured output, outside the program's working
// directory so that the program never sees it.
std::string captureFile()
{
    char pattern[] = "/tmp/vektra-run-XXXXXX";
    int fd = ::mkstemp(pattern);
    if (fd >= 0) {
        ::close(fd);
    }
    return pattern;
}

double secondsNow()
{
    using Clock = std::chrono::steady_clock;
    return std::chrono::duration<double>(Clock::now().time_since_epoch()).count();
}

} // namespace

namespace TestSupport {

std::string Outcome::describe() const
{
    if (timedOut) {
        return "killed after timeout";
    }
    if (signal != 0) {
        return "signal " + std::to_string(signal);
    }
    return "exit " + std::to_string(exitCode);
}

ProgramRun::ProgramRun(std::string program, std::string workDir)
    : program(std::move(program)), workDir(std::move(workDir))
{
}

ProgramRun::~ProgramRun()
{
    if (child > 0) {
        ::kill(-child, SIGKILL);
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
    }
    std::remove(outPath.c_str());
    std::remove(errPath.c_str());
}

ProgramRun& ProgramRun::timeLimit(double seconds)
{
    limitSeconds = seconds;
    return *this;
}

ProgramRun& ProgramRun::environment(const std::string& assignment)
{
    extraEnvironment.push_back(assignment);
    return *this;
}

ProgramRun& ProgramRun::sanitizerPreload()
{
    const std::string preload = TestSupport::sanitizerPreload(program);
    if (!preload.empty()) {
        environment("LD_PRELOAD=" + preload);
    }
    return *this;
}

void ProgramRun::execChild(const std::vector<std::string>& args) const
{
    // Its own process group, so that a time-out kills whatever it started too.
    ::setpgid(0, 0);
    struct rlimit noCore {};
    ::setrlimit(RLIMIT_CORE, &noCore);
    int in = ::open("/dev/null", O_RDONLY);
    int out = ::open(outPath.c_str(), O_WRONLY | O_TRUNC);
    int err = ::open(errPath.c_str(), O_WRONLY | O_TRUNC);
    if (in < 0 || out < 0 || err < 0 || ::chdir(workDir.c_str()) != 0) {
        ::_exit(127);
    }
    ::dup2(in, 0);
    ::dup2(out, 1);
    ::dup2(err, 2);
    for (const std::string& assignment : extraEnvironment) {
        ::putenv(const_cast<char*>(assignment.c_str()));
    }
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    ::execv(argv[0], argv.data());
    ::_exit(127);
}

void ProgramRun::start(const std::vector<std::string>& args)
{
    outcome = Outcome();
    outPath = captureFile();
    errPath = captureFile();
    deadline = secondsNow() + limitSeconds;
    child = ::fork();
    if (child == 0) {
        execChild(args);
    }
}

void ProgramRun::record(int status)
{
    if (WIFEXITED(status)) {
        outcome.exitCode = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        outcome.signal = WTERMSIG(status);
    }
    child = -1;
}

bool ProgramRun::running()
{
    if (child <= 0) {
        return false;
    }
    int status = 0;
    if (::waitpid(child, &status, WNOHANG) == child) {
        record(status);
        return false;
    }
    return true;
}

std::string ProgramRun::output() const
{
    return readAll(outPath);
}

bool ProgramRun::signal(int number)
{
    return running() && ::kill(child, number) == 0;
}

Outcome ProgramRun::finish()
{
    while (running()) {
        if (secondsNow() > deadline) {
            outcome.timedOut = true;
            ::kill(-child, SIGKILL);
            ::kill(child, SIGKILL);
            int status = 0;
            ::waitpid(child, &status, 0);
            record(status);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    outcome.out = readAll(outPath);
    outcome.err = readAll(errPath);
    return outcome;
}

Outcome ProgramRun::run(const std::vector<std::string>& args)
{
    start(args);
    return finish();
}

} // namespace TestSupport
