#include "ShardList.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "Util/StringHelpers.h"

namespace Tool {

namespace {

std::vector<std::string> words(const std::string& line)
{
    std::vector<std::string> out;
    std::string::size_type start = 0;
    while (start <= line.size()) {
        const std::string::size_type end = std::min(line.find(' ', start), line.size());
        out.push_back(line.substr(start, end - start));
        start = end + 1;
    }
    return out;
}

template <typename T>
bool number(const std::string& text, unsigned long long max, T& into)
{
    unsigned long long value = 0;
    if (!Util::readDecimal(text, max, value)) {
        return false;
    }
    into = static_cast<T>(value);
    return true;
}

bool seconds(const std::string& text, double& into)
{
    if (text.empty() || text.find_first_not_of("0123456789.") != std::string::npos) {
        return false;
    }
    char* end = nullptr;
    into = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size() && std::isfinite(into);
}

bool levelList(const std::string& text, int players, std::vector<int>& levels)
{
    levels.clear();
    if (text == "-") {
        return true;
    }
    std::string::size_type start = 0;
    while (start <= text.size()) {
        const std::string::size_type end = std::min(text.find(',', start), text.size());
        int level = 0;
        if (!number(text.substr(start, end - start), 99, level)) {
            return false;
        }
        levels.push_back(level);
        start = end + 1;
    }
    return static_cast<int>(levels.size()) == players;
}

std::string joined(const std::vector<int>& levels)
{
    if (levels.empty()) {
        return "-";
    }
    std::string text;
    for (int level : levels) {
        text += (text.empty() ? "" : ",") + std::to_string(level);
    }
    return text;
}

std::string fixed(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.6f", value);
    return text;
}

// A line of the input as a message shows it: at most 60 characters, any
// that is not printable as "?", so that no control code reaches a terminal.
std::string shown(const std::string& line)
{
    std::string text = line.substr(0, 60);
    for (char& c : text) {
        c = c >= 32 && c < 127 ? c : '?';
    }
    return line.size() > 60 ? text + "..." : text;
}

// The next line without its newline, read no further than MAX_LINE + 1
// characters (tooLong then); false at the end of the input. cut: the input
// ended inside the line.
bool nextLine(std::istream& in, std::string& line, bool& tooLong, bool& cut)
{
    line.clear();
    tooLong = false;
    cut = false;
    std::streambuf* const buffer = in.rdbuf();
    for (int c = buffer->sbumpc(); c != std::char_traits<char>::eof(); c = buffer->sbumpc()) {
        if (c == '\n') {
            return true;
        }
        if (line.size() >= ShardList::MAX_LINE) {
            tooLong = true;
            return true;
        }
        line.push_back(static_cast<char>(c));
    }
    in.setstate(std::ios::eofbit);
    cut = !line.empty();
    return cut;
}

} // namespace

std::string ShardList::row(const MatchSimulator::Match& match)
{
    char hash[16];
    std::snprintf(hash, sizeof hash, "%08x", static_cast<unsigned int>(match.gridHash));
    return "match " + std::to_string(match.number) + ' ' + match.result + " steps " +
           std::to_string(match.steps) + " grid " + hash;
}

std::string ShardList::closingLine(unsigned long index, unsigned long count, unsigned int first,
                                   unsigned long matches, const MatchSimulator::Tally& tally)
{
    std::ostringstream line;
    line << "shard " << index << '/' << count << " first " << first << " matches " << matches
         << " seed " << tally.seed << " grid " << tally.gridWidth << " x " << tally.gridHeight
         << " players " << tally.wins.size() << " levels "
         << joined(tally.matches > 0 ? tally.levels : std::vector<int>()) << " played "
         << tally.matches << " seconds " << fixed(tally.seconds) << " cpu_seconds "
         << fixed(tally.cpuSeconds) << " step_seconds " << fixed(tally.stepSeconds)
         << " worst_step_seconds " << fixed(tally.worstStepSeconds);
    return line.str();
}

bool ShardList::readRow(const std::string& line, Row& into) const
{
    const std::vector<std::string> w = words(line);
    if (w.size() != 7 || w[0] != "match" || w[3] != "steps" || w[5] != "grid" ||
        !number(w[1], 0xFFFFFFFFFFFFull, into.number) || !number(w[4], 0xFFFFFFFFull, into.steps) ||
        w[6].size() != 8 || w[6].find_first_not_of("0123456789abcdef") != std::string::npos) {
        return false;
    }
    into.gridHash = static_cast<std::uint32_t>(std::strtoul(w[6].c_str(), nullptr, 16));
    if (w[2] == "DRAW") {
        into.result = -1;
        return true;
    }
    return w[2].compare(0, 4, "WIN=") == 0 && number(w[2].substr(4), 9999, into.result);
}

bool ShardList::readShard(const std::string& line, Shard& into)
{
    const std::vector<std::string> w = words(line);
    if (w.size() != 26 || w[0] != "shard" || w[2] != "first" || w[4] != "matches" ||
        w[6] != "seed" || w[8] != "grid" || w[10] != "x" || w[12] != "players" ||
        w[14] != "levels" || w[16] != "played" || w[18] != "seconds" || w[20] != "cpu_seconds" ||
        w[22] != "step_seconds" || w[24] != "worst_step_seconds") {
        return false;
    }
    const std::string::size_type slash = w[1].find('/');
    return slash != std::string::npos && number(w[1].substr(0, slash), 999999, into.index) &&
           number(w[1].substr(slash + 1), 1000000, into.count) && into.count > 0 &&
           into.index < into.count && number(w[3], 0xFFFFFFFFull, into.first) &&
           number(w[5], 1000000000000ull, into.matches) && into.matches > 0 &&
           number(w[7], 0xFFFFFFFFull, into.seed) && number(w[9], 1024, into.width) &&
           number(w[11], 1024, into.height) && number(w[13], 9999, into.players) &&
           into.players > 0 && levelList(w[15], into.players, into.levels) &&
           number(w[17], into.matches, into.played) && (into.played > 0) == !into.levels.empty() &&
           seconds(w[19], into.seconds) && seconds(w[21], into.cpuSeconds) &&
           seconds(w[23], into.stepSeconds) && seconds(w[25], into.worstStepSeconds);
}

bool ShardList::read(std::istream& in, const std::string& name)
{
    // Shards may follow one another in one file (as GNU parallel gathers
    // its jobs' outputs): each shard's rows end with its closing line.
    std::size_t shardRows = rows.size();
    bool closed = false;
    files.push_back(name);
    std::string line;
    unsigned long lineNumber = 0;
    bool tooLong = false;
    bool cut = false;
    while (nextLine(in, line, tooLong, cut)) {
        ++lineNumber;
        const auto at = [&] { return name + " line " + std::to_string(lineNumber) + ": "; };
        if (tooLong) {
            return fail(at() + "a line longer than " + std::to_string(MAX_LINE) +
                        " characters is no shard's output");
        }
        Row row{};
        row.file = static_cast<std::uint32_t>(files.size() - 1);
        if (readRow(line, row)) {
            rows.push_back(row);
            continue;
        }
        Shard shard;
        if (!readShard(line, shard)) {
            if (cut) {
                return fail(at() + "the file ends inside this line: the shard was cut short");
            }
            return fail(at() + "neither a match row nor a shard's closing line: \"" + shown(line) +
                        "\"");
        }
        if (!fits(shard, name) || !rowsFit(shard, shardRows, name)) {
            return false;
        }
        add(shard);
        shardRows = rows.size();
        closed = true;
    }
    if (!closed || rows.size() > shardRows) {
        return fail(name + " ends without a shard's closing line: the shard did not finish, or the "
                           "file is no vektra-sim --shard output");
    }
    return true;
}

bool ShardList::fits(const Shard& shard, const std::string& name)
{
    if (!haveSeries) {
        series = shard;
        haveSeries = true;
        return true;
    }
    const bool same = shard.count == series.count && shard.first == series.first &&
                      shard.matches == series.matches && shard.seed == series.seed &&
                      shard.width == series.width && shard.height == series.height &&
                      shard.players == series.players;
    if (!same) {
        return fail(name + " is a shard of another series than " + files.front() +
                    " (shard count, first match, matches, seed, grid or players differ)");
    }
    if (!shard.levels.empty() && !series.levels.empty() && shard.levels != series.levels) {
        return fail(name + " played other levels than " + files.front() + ": " +
                    joined(shard.levels) + " against " + joined(series.levels));
    }
    return true;
}

bool ShardList::rowsFit(const Shard& shard, std::size_t firstRow, const std::string& name)
{
    if (rows.size() - firstRow != shard.played) {
        return fail(name + " holds " + std::to_string(rows.size() - firstRow) +
                    " matches, but its closing line says it played " +
                    std::to_string(shard.played));
    }
    for (std::size_t k = firstRow; k < rows.size(); ++k) {
        const Row& row = rows[k];
        const auto match = [&] { return name + ": match " + std::to_string(row.number); };
        if (row.number < shard.first || row.number - shard.first >= shard.matches) {
            return fail(match() + " lies outside the series (matches " +
                        std::to_string(shard.first) + " to " +
                        std::to_string(shard.first + shard.matches - 1) + ")");
        }
        if (row.number % shard.count != shard.index) {
            return fail(match() + " is no match of shard " + std::to_string(shard.index) + "/" +
                        std::to_string(shard.count));
        }
        if (row.result >= shard.players) {
            return fail(match() + " names a winner beyond the " + std::to_string(shard.players) +
                        " players");
        }
    }
    return true;
}

void ShardList::add(const Shard& shard)
{
    if (series.levels.empty()) {
        series.levels = shard.levels;
    }
    merged.seconds += shard.seconds;
    merged.cpuSeconds += shard.cpuSeconds;
    merged.stepSeconds += shard.stepSeconds;
    merged.worstStepSeconds = std::max(merged.worstStepSeconds, shard.worstStepSeconds);
}

bool ShardList::finish()
{
    if (!haveSeries) {
        return fail("no shard read");
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const Row& a, const Row& b) { return a.number < b.number; });
    for (std::size_t k = 1; k < rows.size(); ++k) {
        if (rows[k].number == rows[k - 1].number) {
            return fail("match " + std::to_string(rows[k].number) +
                        " is there twice: " + where(rows[k - 1]) + " and " + where(rows[k]));
        }
    }
    // Sorted, in range and no number twice: a gap is the first missing match.
    for (unsigned long k = 0; k < series.matches; ++k) {
        if (k >= rows.size() || rows[k].number != series.first + k) {
            const unsigned long missing = series.first + k;
            return fail("match " + std::to_string(missing) +
                        " is missing: no file holds it (it is "
                        "shard " +
                        std::to_string(missing % series.count) + "/" +
                        std::to_string(series.count) + "'s)");
        }
    }
    merged.gridWidth = series.width;
    merged.gridHeight = series.height;
    merged.seed = series.seed;
    merged.levels = series.levels;
    merged.levels.resize(static_cast<std::size_t>(series.players), 0);
    merged.wins.assign(static_cast<std::size_t>(series.players), 0);
    for (const Row& row : rows) {
        ++(row.result < 0 ? merged.draws : merged.wins[static_cast<std::size_t>(row.result)]);
        merged.totalSteps += row.steps;
    }
    merged.matches = rows.size();
    return true;
}

void ShardList::writeRows(std::ostream& out) const
{
    MatchSimulator::Match match{0, std::string(), 0, 0};
    for (const Row& row : rows) {
        match.number = row.number;
        match.result = row.result < 0 ? "DRAW" : "WIN=" + std::to_string(row.result);
        match.steps = row.steps;
        match.gridHash = row.gridHash;
        out << ShardList::row(match) << '\n';
    }
}

std::string ShardList::where(const Row& row) const
{
    return "in " + files[row.file];
}

bool ShardList::fail(const std::string& why)
{
    problem = why;
    return false;
}

} // namespace Tool
