#pragma once

#include <string>
#include <vector>

// How a program run ended and what it printed.
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
// after which the child and everything it started are killed. Owns nothing
// beyond the run: the captured output is read back and its files removed.
class ProgramRun
{
  public:
    ProgramRun(std::string program, std::string workDir);

    ProgramRun& timeLimit(double seconds);
    ProgramRun& environment(const std::string& assignment);

    Outcome run(const std::vector<std::string>& args) const;

  private:
    std::string program;
    std::string workDir;
    double limitSeconds = 30.0;
    std::vector<std::string> extraEnvironment;

    [[noreturn]] void execChild(const std::vector<std::string>& args, const std::string& outPath,
                                const std::string& errPath) const;
};
