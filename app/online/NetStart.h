#pragma once

#include <string>

namespace Online {

// Starts ENet and libsodium once per process, for every session: the
// first caller does it, later ones learn the outcome.
class NetStart {
public:
    // False with a reason when either library could not start.
    static bool ready(std::string& error);
};

} // namespace Online
