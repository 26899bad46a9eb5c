#include "ClientSession.h"

namespace Online {

struct ClientSession::Predicted {
    unsigned long step;
};

ClientSession::ClientSession(const ClientOptions& options) : options(options) {}
ClientSession::~ClientSession() = default;
void ClientSession::service(double) {}
void ClientSession::setReady(bool value)
{
    ready = value;
}
bool ClientSession::handedOver(int) const
{
    return false;
}
void ClientSession::steer(int, int) {}
void ClientSession::leave()
{
    currentPhase = Phase::LEFT;
}
unsigned long ClientSession::predictedStep() const
{
    return 0;
}
std::uint64_t ClientSession::bytesSent() const
{
    return 0;
}
std::uint64_t ClientSession::bytesReceived() const
{
    return 0;
}
int ClientSession::roundTripMs() const
{
    return 0;
}
void ClientSession::corruptForTest() {}

} // namespace Online
