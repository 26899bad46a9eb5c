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

#include "app/tools/ShardList.h"

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

void checkSeries(const Tool::ShardList& list)
{
    const std::vector<Tool::MatchSimulator::Match> matches = list.matches();
    const Tool::MatchSimulator::Tally& tally = list.tally();
    check(!matches.empty() && matches.size() == tally.matches);
    unsigned long decided = tally.draws;
    for (unsigned long wins : tally.wins) {
        decided += wins;
    }
    check(decided == tally.matches);
    std::string again;
    for (std::size_t k = 0; k < matches.size(); ++k) {
        check(matches[k].number == matches[0].number + k);
        again += Tool::ShardList::row(matches[k]) + "\n";
    }
    if (matches[0].number > 0xFFFFFFFFul) {
        return; // a first match that one run could not be asked for
    }
    again += Tool::ShardList::closingLine(0, 1, static_cast<unsigned int>(matches[0].number),
                                          tally.matches, tally) +
             "\n";
    Tool::ShardList back;
    check(merge({again}, back));
    std::string rows;
    for (const auto& match : back.matches()) {
        rows += Tool::ShardList::row(match) + "\n";
    }
    check(again.compare(0, rows.size(), rows) == 0);
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
