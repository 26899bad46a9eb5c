#include "BotClient.h"

#include <sstream>

namespace Online {

namespace {

ClientOptions clientOptions(const BotOptions& options)
{
    ClientOptions client;
    client.host = options.host;
    client.port = options.port;
    client.name = options.name;
    client.password = options.password;
    client.seats = options.seats;
    client.timeout = options.timeout;
    return client;
}

} // namespace

BotClient::BotClient(const BotOptions& botOptions)
    : options(botOptions), client(clientOptions(botOptions)),
      pilot(botOptions.level, botOptions.seed)
{
}

BotClient::BotClient(const BotOptions& botOptions, std::unique_ptr<I_Transport> transport)
    : options(botOptions), client(clientOptions(botOptions), std::move(transport)),
      pilot(botOptions.level, botOptions.seed)
{
}

BotClient::Outcome BotClient::service(double now)
{
    if (state != Outcome::RUNNING) {
        return state;
    }
    if (firstService < 0) {
        firstService = now;
    }
    client.service(now);
    switch (client.phase()) {
    case ClientSession::Phase::CONNECTING:
        whileConnecting(now);
        break;
    case ClientSession::Phase::REFUSED:
        fail("refused by " + options.host + ":" + std::to_string(options.port) + ": " +
             client.reason());
        break;
    case ClientSession::Phase::LOST:
        fail((joined ? "lost " : "could not join ") + options.host + ":" +
             std::to_string(options.port) + ": " + client.reason());
        break;
    case ClientSession::Phase::LEFT:
        state = Outcome::DONE;
        break;
    case ClientSession::Phase::MATCH:
        joined = true;
        steer();
        break;
    case ClientSession::Phase::LOBBY:
    case ClientSession::Phase::OVER:
        joined = true;
        matchEnded();
        if (state == Outcome::RUNNING && !client.isReady()) {
            client.setReady(true);
        }
        break;
    }
    return state;
}

void BotClient::fail(const std::string& reason)
{
    why = reason;
    state = Outcome::FAILED;
}

void BotClient::whileConnecting(double now)
{
    if (now - firstService < options.joinTimeout) {
        return;
    }
    std::ostringstream reason;
    reason << "could not join " << options.host << ":" << options.port << " within "
           << options.joinTimeout << " s (nobody answered)";
    client.leave();
    fail(reason.str());
}

// Once per predicted step: the pilot decides for every seat on the match as
// this client sees it, and each turn goes to the session, which applies it
// at the next step and sends it.
void BotClient::steer()
{
    if (!client.hasMatch()) {
        return;
    }
    const Tool::Match& match = client.match();
    if (!inMatch) {
        inMatch = true;
        pilot.startMatch(match, client.myPlayers());
        steeredStep = match.getStepCount();
    } else if (match.getStepCount() == steeredStep) {
        return;
    }
    steeredStep = match.getStepCount();
    const std::vector<int> headings = pilot.decide(match, client.myPlayers());
    for (std::size_t seat = 0; seat < headings.size(); ++seat) {
        if (headings[seat] != Tool::MatchInputs::KEEP) {
            client.steer(static_cast<int>(seat), headings[seat]);
        }
    }
}

void BotClient::matchEnded()
{
    if (!inMatch) {
        return;
    }
    inMatch = false;
    if (++played >= options.matches) {
        client.leave();
        state = Outcome::DONE;
    }
}

} // namespace Online
