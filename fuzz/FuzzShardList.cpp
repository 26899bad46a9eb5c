// Fuzzing harness: arbitrary bytes as the shard files of one merge, split
// into files at each NUL byte. The merge either refuses them with one line
// that says why, or gives a whole series: every match from the first on
// exactly once, in order, the tally adding up; and the series, written
// again as one shard, merges back to the same rows.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "app/shards/ShardList.h"

namespace {

void check(bool holds)
{
    if (!holds) {
        std::abort();
    }
}

std::vector<std::string> files(const std::string& bytes)
{
    std::vector<std::string> out;
    std::string::size_type start = 0;
    while (start <= bytes.size() && out.size() < 8) {
        const std::string::size_type end = std::min(bytes.find('\0', start), bytes.size());
        out.push_back(bytes.substr(start, end - start));
        start = end + 1;
    }
    return out;
}

bool merge(const std::vector<std::string>& inputs, Tool::ShardList& list)
{
    for (std::size_t k = 0; k < inputs.size(); ++k) {
        std::istringstream in(inputs[k]);
        if (!list.read(in, "file" + std::to_string(k))) {
            return false;
        }
    }
    return list.finish();
}

std::string rowsOf(const Tool::ShardList& list)
{
    std::ostringstream rows;
    list.writeRows(rows);
    return rows.str();
}

void checkSeries(const Tool::ShardList& list)
{
    const Tool::MatchSimulator::Tally& tally = list.tally();
    unsigned long decided = tally.draws;
    for (unsigned long wins : tally.wins) {
        decided += wins;
    }
    check(tally.matches > 0 && decided == tally.matches);
    // Every match from the first on, once each, in order.
    const std::string rows = rowsOf(list);
    std::istringstream lines(rows);
    std::string line;
    unsigned long first = 0;
    unsigned long count = 0;
    while (std::getline(lines, line)) {
        const unsigned long number = std::stoul(line.substr(6));
        first = count == 0 ? number : first;
        check(number == first + count);
        ++count;
    }
    check(count == tally.matches);
    if (first > 0xFFFFFFFFul) {
        return; // a first match that one run could not be asked for
    }
    Tool::ShardList back;
    check(merge({rows +
                 Tool::ShardList::closingLine(0, 1, static_cast<unsigned int>(first), tally.matches,
                                              tally) +
                 "\n"},
                back));
    check(rowsOf(back) == rows);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Tool::ShardList list;
    if (!merge(files(std::string(reinterpret_cast<const char*>(data), size)), list)) {
        check(!list.error().empty() && list.error().find('\n') == std::string::npos);
        return 0;
    }
    checkSeries(list);
    return 0;
}
