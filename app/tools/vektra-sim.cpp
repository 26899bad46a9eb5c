// vektra-sim: plays matches of Vektra headless and prints the tally.
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <fstream>

#include <chrono>
#include <cstdio>
#include <iomanip>
#include <iostream>
#include <string>
#include <vector>

#include "CFG/GuardedMain.h"
#include "MatchSimulator.h"
#include "ReplayCheck.h"
#include "SimulatorOptions.h"
#include "Util/OutputCheck.h"
#include "app/shards/ShardList.h"

namespace {

using Tool::MatchSimulator;
using Tool::ShardList;
using Tool::SimulatorOptions;

void printTally(const MatchSimulator::Tally& tally, bool csv)
{
    const double matches = static_cast<double>(tally.matches);
    const double averageSteps = tally.matches > 0 ? tally.totalSteps / matches : 0.0;
    const double perSecond = tally.seconds > 0 ? matches / tally.seconds : 0.0;
    const double perCpuSecond = tally.cpuSeconds > 0 ? matches / tally.cpuSeconds : 0.0;
    const double stepMs = tally.totalSteps > 0
                              ? 1000.0 * tally.stepSeconds / static_cast<double>(tally.totalSteps)
                              : 0.0;
    const double worstMs = 1000.0 * tally.worstStepSeconds;
    std::cout << std::fixed;
    if (csv) {
        std::cout << "player,level,wins,draws,matches,average_steps,matches_per_second,"
                     "matches_per_cpu_second,average_step_ms,worst_step_ms\n";
        for (std::size_t k = 0; k < tally.wins.size(); ++k) {
            std::cout << k << ',' << tally.levels[k] << ',' << tally.wins[k] << ',' << tally.draws
                      << ',' << tally.matches << ',' << std::setprecision(2) << averageSteps << ','
                      << std::setprecision(1) << perSecond << ',' << perCpuSecond << ','
                      << std::setprecision(4) << stepMs << ',' << worstMs << '\n';
        }
        return;
    }
    std::cout << tally.matches << " matches on a " << tally.gridWidth << " x " << tally.gridHeight
              << " grid\n";
    std::cout << "player  level  wins      share\n";
    for (std::size_t k = 0; k < tally.wins.size(); ++k) {
        // A space before the wins keeps a count of 100,000 or more apart
        // from the level.
        std::cout << std::setw(6) << k << std::setw(7) << tally.levels[k] << ' ' << std::setw(5)
                  << tally.wins[k] << std::setw(10) << std::setprecision(1)
                  << (matches > 0 ? 100.0 * tally.wins[k] / matches : 0.0) << " %\n";
    }
    std::cout << "draws " << tally.draws << " (" << std::setprecision(1)
              << (matches > 0 ? 100.0 * tally.draws / matches : 0.0) << " %)\n";
    std::cout << "average match length " << std::setprecision(2) << averageSteps << " steps\n";
    std::cout << "matches per second " << std::setprecision(1) << perSecond
              << " (per processor second " << perCpuSecond << ")\n";
    std::cout << "step time " << std::setprecision(4) << stepMs << " ms on average, " << worstMs
              << " ms at worst (processor time)\n";
}

// On a terminal, a line that says how far a long run has come.
class Progress {
public:
    Progress(unsigned long total) : total(total), shown(isatty(STDERR_FILENO) != 0) {}
    ~Progress()
    {
        if (written) {
            std::cerr << "\r" << std::string(60, ' ') << "\r" << std::flush;
        }
    }

    void update(unsigned long done)
    {
        if (!shown) {
            return;
        }
        const auto now = std::chrono::steady_clock::now();
        if (now - last < std::chrono::milliseconds(250)) {
            return;
        }
        last = now;
        written = true;
        std::cerr << "\rvektra-sim: " << done << " of " << total << " matches" << std::flush;
    }

private:
    unsigned long total;
    bool shown;
    bool written = false;
    std::chrono::steady_clock::time_point last = std::chrono::steady_clock::now();
};

// The game falls back to a 4 x 4 grid without settings, where every match
// is a draw: the simulator would print a tally that means nothing. It
// wants vektra.cfg in the working directory or a settings file named.
bool haveSettings(const std::vector<std::string>& args)
{
    for (const std::string& arg : args) {
        if (arg.size() > 4 && arg.compare(arg.size() - 4, 4, ".cfg") == 0 &&
            arg.find("==") == std::string::npos) {
            return true;
        }
    }
    return std::ifstream("vektra.cfg").good();
}

std::string workingFolder()
{
    char path[PATH_MAX];
    return getcwd(path, sizeof(path)) != nullptr ? path : ".";
}

int finishOutput()
{
    return Util::OutputCheck::standardOutputWritten("vektra-sim") ? 0
                                                                  : SimulatorOptions::WRITE_FAILED;
}

// One file of shard outputs into list; false, with the reason on standard
// error, when it is refused or cannot be read (the file buffer throws on a
// read error, such as a folder named).
bool readShards(ShardList& list, std::ifstream& in, const std::string& name)
{
    try {
        if (list.read(in, name)) {
            return true;
        }
        std::cerr << "vektra-sim: --merge: " << list.error() << "\n";
    } catch (const std::exception&) {
        std::cerr << "vektra-sim: --merge: cannot read " << name << ": " << std::strerror(errno)
                  << "\n";
    }
    return false;
}

// --merge: every argument that is no option is a shard's output file.
int merge(const std::vector<std::string>& args, const SimulatorOptions& options)
{
    ShardList list;
    for (const std::string& name : args) {
        if (name.empty() || name[0] == '-') {
            continue;
        }
        std::ifstream in(name, std::ios::binary);
        if (!in) {
            std::cerr << "vektra-sim: --merge: cannot open " << name << "\n";
            return SimulatorOptions::MERGE_FAILED;
        }
        if (!readShards(list, in, name)) {
            return SimulatorOptions::MERGE_FAILED;
        }
    }
    if (!list.finish()) {
        std::cerr << "vektra-sim: --merge: " << list.error() << "\n";
        return SimulatorOptions::MERGE_FAILED;
    }
    if (options.list) {
        list.writeRows(std::cout);
    }
    printTally(list.tally(), options.csv);
    return finishOutput();
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    const SimulatorOptions options = SimulatorOptions::parse(args);
    if (options.help) {
        std::cout << SimulatorOptions::usage();
        return finishOutput();
    }
    if (options.version) {
        std::cout << "vektra-sim " VEKTRA_VERSION "\n";
        return finishOutput();
    }
    // A replay carries its own settings: no settings file is read.
    if (Tool::ReplayCheck::wanted(args)) {
        return Tool::ReplayCheck::run(args, std::cout, std::cerr);
    }
    if (!options.error.empty()) {
        std::cerr << "vektra-sim: " << options.error << "\n" << SimulatorOptions::usage();
        return SimulatorOptions::BAD_OPTION;
    }
    if (options.merge) {
        return merge(args, options);
    }

    if (!haveSettings(args)) {
        std::cerr << "vektra-sim: no vektra.cfg in " << workingFolder()
                  << " and no settings file named: run it where vektra.cfg is, or name one "
                     "(vektra-sim /usr/share/games/vektra/vektra.cfg --matches=N)\n";
        return SimulatorOptions::SETTINGS_MISSING;
    }

    Progress progress(options.matches / options.shardCount);
    MatchSimulator simulator(
        options.matches, options.first,
        [&](const MatchSimulator::Match& match, const MatchSimulator::Tally& tally) {
            if (options.list || options.sharded) {
                // Whole lines only, however the run ends.
                std::cout << ShardList::row(match) << '\n' << std::flush;
            }
            progress.update(tally.matches);
        });
    simulator.setShard(options.shardIndex, options.shardCount);
    // The settings arguments as the game would see them: without the
    // simulator's options, which may stand anywhere.
    std::vector<std::string> settings;
    for (const std::string& arg : args) {
        if (arg.empty() || arg[0] != '-') {
            settings.push_back(arg);
        }
    }
    const int code = CFG::guardedMain([&] { return simulator.run(settings); });
    if (code != 0) {
        return code;
    }
    if (options.sharded) {
        std::cout << ShardList::closingLine(options.shardIndex, options.shardCount, options.first,
                                            options.matches, simulator.tally())
                  << '\n';
    } else {
        printTally(simulator.tally(), options.csv);
    }
    return finishOutput();
}
