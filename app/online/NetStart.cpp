#include "NetStart.h"

#include <enet/enet.h>

#include <cstdlib>
#include <mutex>

#include "PasswordProof.h"

namespace Online {

bool NetStart::ready(std::string& error)
{
    static std::once_flag once;
    static std::string problem;
    std::call_once(once, [] {
        if (enet_initialize() != 0) {
            problem = "the network library (ENet) could not start";
        } else if (!PasswordProof::ready()) {
            problem = "the crypto library (libsodium) could not start";
        } else {
            std::atexit(enet_deinitialize);
        }
    });
    error = problem;
    return problem.empty();
}

} // namespace Online
