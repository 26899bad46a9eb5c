// vektra-bot: a headless client whose seats the computer players steer.
// Exit codes: 0 after its matches, 1 when it cannot join, loses the server
// or is stopped by SIGINT or SIGTERM before its matches are played (it says
// goodbye first), 2 for arguments it cannot use.
#include <chrono>
#include <csignal>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "app/bots/BotClient.h"

namespace {

volatile std::sig_atomic_t stopAsked = 0;

void askStop(int)
{
    stopAsked = 1;
}

double clockSeconds()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::cout << Online::BotOptions::usage();
        return 0;
    }
    const Online::BotOptions options = Online::BotOptions::parse(args);
    if (!options.error.empty()) {
        std::cerr << "vektra-bot: " << options.error << "\n" << Online::BotOptions::usage();
        return Online::BotOptions::BAD_OPTION;
    }
    std::signal(SIGINT, askStop);
    std::signal(SIGTERM, askStop);

    Online::BotClient bot(options);
    unsigned long reported = 0;
    while (bot.service(clockSeconds()) == Online::BotClient::Outcome::RUNNING) {
        if (stopAsked) {
            // Say goodbye so the server hands the seats over at once.
            bot.session().leave();
        }
        if (bot.matchesPlayed() > reported) {
            reported = bot.matchesPlayed();
            std::cout << "vektra-bot: match " << reported << " " << bot.session().lastResult()
                      << std::endl;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    if (bot.outcome() == Online::BotClient::Outcome::FAILED) {
        std::cerr << "vektra-bot: " << bot.failure() << "\n";
        return 1;
    }
    if (bot.matchesPlayed() > reported) {
        std::cout << "vektra-bot: match " << bot.matchesPlayed() << " "
                  << bot.session().lastResult() << std::endl;
    }
    if (stopAsked && bot.matchesPlayed() < options.matches) {
        std::cerr << "vektra-bot: stopped by a signal after " << bot.matchesPlayed() << " of "
                  << options.matches << " matches\n";
        return 1;
    }
    return 0;
}
