// vektra-server: a dedicated server for online matches, without a window.
// It loads the settings as the game does (vektra.cfg from the working
// directory, an optional extra .cfg, KEY==VALUE arguments; see
// ServerSettings for its own keys), listens, and plays match after match
// until SIGINT or SIGTERM, when it tells every client it is going and exits
// 0. Standard output: first "listening PORT=<port>" (the real port, also
// for PORT==0), then one line per join, leave, match start and result,
// and a "status STATE=<lobby|running|draining|closed> PLAYERS=<seats>
// CLIENTS=<n> PORT=<port>" line whenever one of those changes. Exit codes:
// 0 after a signal; 1 when it cannot listen; 2 for a setting it cannot run
// with (or a settings file error, as the game).
#include <csignal>

#include <chrono>
#include <iostream>
#include <thread>

#include "CFG/GuardedMain.h"
#include "CFG/SettingsLoader.h"
#include "ServerSettings.h"
#include "app/online/ServerSession.h"

namespace {

constexpr int CANNOT_LISTEN = 1;
// Between two services: short against a step (60 ms shipped), long enough
// that an idle server costs next to nothing.
constexpr auto NAP = std::chrono::milliseconds(2);

volatile std::sig_atomic_t stopSignal = 0;

void onStop(int signal)
{
    stopSignal = signal;
}

double seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

int serve(const Online::ServerOptions& options)
{
    Online::ServerSession server(options, std::cout);
    std::string error;
    if (!server.open(error)) {
        std::cerr << "vektra-server: " << error << std::endl;
        return CANNOT_LISTEN;
    }
    std::cout << "listening PORT=" << server.port() << std::endl;
    struct sigaction action {};
    action.sa_handler = onStop;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    const auto start = std::chrono::steady_clock::now();
    while (!server.isClosed()) {
        if (stopSignal != 0 && server.state() != Online::ServerSession::State::DRAINING) {
            server.drain(stopSignal == SIGINT ? "the server was stopped (SIGINT)"
                                              : "the server was stopped (SIGTERM)",
                         seconds(start));
        }
        server.service(seconds(start));
        std::this_thread::sleep_for(NAP);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    return CFG::guardedMain([&] {
        const int loaded = CFG::SettingsLoader("vektra.cfg").load(argc, argv);
        if (loaded != CFG::SettingsLoader::GO_ON) {
            return loaded;
        }
        return serve(Tool::ServerSettings::read());
    });
}
