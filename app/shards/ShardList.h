#pragma once

#include <cstdint>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "app/tools/MatchSimulator.h"

namespace Tool {

// The simulator's list of matches as text, and the merge of the lists that
// the shards of one series wrote. A shard's output is one row per match it
// played ("match K RESULT steps S grid HASH", the rows of --list) and one
// closing line that says which series and shard it was and what it cost:
//
//   shard I/N first F matches M seed S grid W x H players P levels L0,L1,...
//   played C seconds T cpu_seconds T step_seconds T worst_step_seconds T
//
// (on one line; "levels -" when the shard played no match). A file may hold
// several shards' outputs one after another. The merge takes
// the rows of every shard of a series, refuses a match missing or held
// twice, and gives the rows in order and the tally one run of the whole
// series would print (the times summed, the worst step the worst of all).
// Owns the rows read: 24 bytes per match.
class ShardList {
public:
    // The longest line a shard writes is far shorter; a longer one is no
    // shard's output.
    static constexpr std::size_t MAX_LINE = 1024;

    // One match's row, without its newline.
    static std::string row(const MatchSimulator::Match& match);
    // A shard's closing line, without its newline, from its tally.
    static std::string closingLine(unsigned long index, unsigned long count, unsigned int first,
                                   unsigned long matches, const MatchSimulator::Tally& tally);

    // Reads one file of shard outputs; false, with the reason in error(),
    // for a file that is no complete shard output or does not fit the
    // shards read before. name is the file's name, for the messages.
    bool read(std::istream& in, const std::string& name);
    // After every shard is read: false, with the reason, when a match of
    // the series is missing or held twice; else the rows are in order.
    bool finish();

    const std::string& error() const { return problem; }
    // The merged series, once finish() succeeded.
    const MatchSimulator::Tally& tally() const { return merged; }
    // Every match's row, in order, each with its newline.
    void writeRows(std::ostream& out) const;

private:
    // Kept small: a merge of millions of matches holds them all.
    struct Row {
        unsigned long number;
        std::uint32_t steps;
        std::uint32_t gridHash;
        int result;         // the winner, or -1 for a draw
        std::uint32_t file; // index into files
    };
    // What one shard's closing line says.
    struct Shard {
        unsigned long index = 0;
        unsigned long count = 0;
        unsigned long first = 0;
        unsigned long matches = 0;
        unsigned int seed = 0;
        int width = 0;
        int height = 0;
        int players = 0;
        std::vector<int> levels;
        unsigned long played = 0;
        double seconds = 0;
        double cpuSeconds = 0;
        double stepSeconds = 0;
        double worstStepSeconds = 0;
    };

    bool readRow(const std::string& line, Row& into) const;
    static bool readShard(const std::string& line, Shard& into);
    bool fail(const std::string& why);
    bool fits(const Shard& shard, const std::string& name);
    bool rowsFit(const Shard& shard, std::size_t firstRow, const std::string& name);
    void add(const Shard& shard);
    std::string where(const Row& row) const;

    std::vector<Row> rows;
    std::vector<std::string> files;
    bool haveSeries = false;
    Shard series; // what every shard must agree on
    MatchSimulator::Tally merged;
    std::string problem;
};

} // namespace Tool
