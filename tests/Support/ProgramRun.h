#pragma once

#include <string>
#include <vector>

namespace TestSupport {

// How a program run ended and what it printed: a child process's, or a
// whole program's run inside the test process.
struct Outcome {
    int exitCode = -1; // -1 when it did not exit normally
    int signal = 0;    // the signal that ended it, 0 for a normal exit
    bool timedOut = false;
    std::string out;
    std::string err;

    // One line for failure messages: "exit 2", "signal 11", "killed after timeout".
    std::string describe() const;
};

// Runs a real program as a child process: in a given working directory,
// with standard input empty, standard output and error captured, extra
// environment variables added, core dumps switched off, and a time limit
// after which the child and everything it started are killed. Owns the
// child while it runs (a run still going when the object goes is killed)
// and the files its output is captured in.
class ProgramRun {
public:
    ProgramRun(std::string program, std::string workDir);
    ~ProgramRun();
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    // Counted from start; 30 s unless set.
    ProgramRun& timeLimit(double seconds);
    // "NAME=value", added to the environment the program inherits.
    ProgramRun& environment(const std::string& assignment);
    // When the program is built with AddressSanitizer, preloads what its
    // leak report needs (see SanitizerPreload.h); nothing otherwise.
    ProgramRun& sanitizerPreload();

    // Starts the program; finish waits for it (at most until the time limit
    // since start) and returns how it ended. run does both.
    void start(const std::vector<std::string>& args);
    bool running();
    // What the program has written to standard output so far.
    std::string output() const;
    // Sends signal to the running program (not its group); false when it
    // is not running.
    bool signal(int number);
    Outcome finish();
    Outcome run(const std::vector<std::string>& args);

private:
    std::string program;
    std::string workDir;
    double limitSeconds = 30.0;
    std::vector<std::string> extraEnvironment;
    int child = -1;
    double deadline = 0;
    std::string outPath;
    std::string errPath;
    Outcome outcome;

    [[noreturn]] void execChild(const std::vector<std::string>& args) const;
    void record(int status);
};

} // namespace TestSupport
