#pragma once

#include <string>

namespace Online {

// Replaces path's content with line (and a line feed) through a temporary
// file renamed over it, so a reader never sees half a line. False when it
// could not be written; the old content then stays.
bool writeStatusFile(const std::string& path, const std::string& line);

} // namespace Online
