#include "SeatResult.h"

#include <algorithm>
#include <cctype>

namespace Tool {

int SeatResult::winner(const std::string& result)
{
    const std::string prefix = "WIN=";
    if (result.compare(0, prefix.size(), prefix) != 0 || result.size() == prefix.size() ||
        result.size() > prefix.size() + 9) {
        return -1;
    }
    int player = 0;
    for (std::size_t i = prefix.size(); i < result.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(result[i]))) {
            return -1;
        }
        player = player * 10 + (result[i] - '0');
    }
    return player;
}

bool SeatResult::wonBy(const std::string& result, const std::vector<int>& seats)
{
    const int player = winner(result);
    return player >= 0 && std::find(seats.begin(), seats.end(), player) != seats.end();
}

} // namespace Tool
