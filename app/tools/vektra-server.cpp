// vektra-server: a dedicated server for online matches, without a window.
// It loads the settings as the game does (vektra.cfg from the working
// directory, an optional extra .cfg, KEY==VALUE arguments; ServerSettings
// lists its own keys and their defaults), listens, and plays match after
// match until SIGINT or SIGTERM, when it tells every client why it goes
// and exits 0. Exit codes: 0 after a signal; 1 when it cannot listen (port
// taken, an address that is not IPv4); 2 for a setting it cannot run with
// or a settings file error, as the game.
//
// Running many servers side by side: one process per arena, each on its
// own PORT (or PORT==0 and read the port back), nothing kept between
// matches or on disk, so an orchestrator for game servers can start and
// stop them freely. What the server tells it, on standard output (one
// line each, flushed at once):
//   listening PORT=<port>                the first line: ready for clients
//   join <name> seats=<n> clients=<c>[ (back)]
//   leave <name> clients=<c> (lost|left|malformed)
//   refuse <name>: <reason>
//   start match=<m> people=<p> players=<n>
//   result match=<m> <WIN=k|DRAW> steps=<s>
//   closing: <reason>                    after SIGINT/SIGTERM: draining
//   status STATE=<lobby|running|draining|closed> PLAYERS=<seats held>
//          CLIENTS=<joined> PORT=<port>  whenever one of them changes
// With STATUS_FILE==<path> the last status line is also kept in that file
// (replaced whole), for a health check that reads a file. Draining: on
// SIGTERM the server takes nobody new, tells every client, and exits 0
// within a second; a match in progress ends there. The password is never
// printed. --help (or -h) prints the usage and --version the version; any
// other argument that begins with "-" is refused with exit code 2, before
// a port is opened.
#include <csignal>

#include <chrono>
#include <iostream>
#include <string>

#include "CFG/GuardedMain.h"
#include "CFG/SettingsLoader.h"
#include "app/online/ServerSession.h"
#include "app/settings/ServerSettings.h"
#include "app/settings/SettingRules.h"
#include "app/settings/SettingsCheck.h"

namespace {

constexpr int CANNOT_LISTEN = 1;
constexpr int BAD_OPTION = 2;

const char* const USAGE_LINE =
    "usage: vektra-server [SETTINGS_file] [server.cfg] [KEY==VALUE]...\n";
const char* const HELP_TEXT =
    "Plays online matches for the clients that join (vektra CONNECT==host[:port]), on the\n"
    "settings of vektra.cfg in the working directory, an extra .cfg and KEY==VALUE:\n"
    "PORT (4040; 0: any free port), BIND_ADDRESS (0.0.0.0), MAX_CLIENTS (16), PASSWORD\n"
    "(none), START_WAIT (10 s), STATUS_FILE (none), and the match's GRID_WIDTH,\n"
    "GRID_HEIGHT, NUM_PLAYERS, AI_LEVEL, PLAYER_COLORS, TURN_CHANCE, MOVE_TIME, GAME_SEED.\n"
    "Prints \"listening PORT=<port>\" first, then a line per join, leave, match start and\n"
    "result. SIGINT or SIGTERM: tells the clients, exits 0. Exit codes: 1 when it cannot\n"
    "listen, 2 for a setting it cannot run with or an unknown option. --version prints the\n"
    "version.\n";
// Longest sleep between two services when nothing arrives and no step is
// due: ENet's own timers (resends, pings) run at this grain.
constexpr double NAP_SECONDS = 0.01;

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
        server.wait(seconds(start), NAP_SECONDS);
    }
    return 0;
}

// The first argument that begins with "-" answers --help, -h and
// --version, or refuses the rest; -1 when there is none.
int answerOptions(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument.empty() || argument[0] != '-') {
            continue;
        }
        if (argument == "--help" || argument == "-h") {
            std::cout << USAGE_LINE << HELP_TEXT;
            return 0;
        }
        if (argument == "--version") {
            std::cout << "vektra-server " VEKTRA_VERSION "\n";
            return 0;
        }
        std::cerr << "vektra-server: unknown option " << argument << "\n" << USAGE_LINE;
        return BAD_OPTION;
    }
    return -1;
}

} // namespace

int main(int argc, char** argv)
{
    const int answered = answerOptions(argc, argv);
    if (answered >= 0) {
        return answered;
    }
    return CFG::guardedMain([&] {
        const int loaded =
            CFG::SettingsLoader("vektra.cfg", Tool::settingKeys(Tool::SettingRule::PATH))
                .load(argc, argv);
        if (loaded != CFG::SettingsLoader::GO_ON) {
            return loaded;
        }
        const int checked = Tool::SettingsCheck::atStartUp(Tool::SettingRule::SERVER);
        if (checked != CFG::SettingsLoader::GO_ON) {
            return checked;
        }
        return serve(Tool::ServerSettings::read());
    });
}
