#include "ServerSession.h"

namespace Online {

struct ServerSession::Client {
    ENetPeer* peer;
};

ServerSession::ServerSession(const ServerOptions& options, std::ostream& log)
    : options(options), log(log)
{
}
ServerSession::~ServerSession() = default;
bool ServerSession::open(std::string& error)
{
    error = "not built yet";
    return false;
}
void ServerSession::service(double) {}
void ServerSession::drain(const std::string&, double)
{
    currentState = State::CLOSED;
}
const char* ServerSession::stateName(State state)
{
    switch (state) {
    case State::LOBBY:
        return "lobby";
    case State::RUNNING:
        return "running";
    case State::DRAINING:
        return "draining";
    case State::CLOSED:
        break;
    }
    return "closed";
}
int ServerSession::clientCount() const
{
    return 0;
}
int ServerSession::personSeats() const
{
    return 0;
}
std::string ServerSession::statusLine() const
{
    return std::string();
}

} // namespace Online
