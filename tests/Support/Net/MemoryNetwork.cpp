#include "MemoryNetwork.h"

#include "MemoryTransport.h"

namespace TestSupport {

namespace {

constexpr std::uint32_t LOOPBACK = 0x7F000001;

} // namespace

MemoryNetwork::MemoryNetwork(std::uint32_t seed)
    : fates{LinkFate(seed), LinkFate(static_cast<std::uint64_t>(seed) ^ 0x9E3779B97F4A7C15ull)}
{
    names["localhost"] = LOOPBACK;
}

std::unique_ptr<Online::I_Transport> MemoryNetwork::endpoint()
{
    return std::unique_ptr<Online::I_Transport>(new MemoryTransport(*this));
}

bool MemoryNetwork::resolve(const std::string& host, std::uint32_t& address) const
{
    const auto found = names.find(host);
    if (found == names.end()) {
        return false;
    }
    address = found->second;
    return true;
}

std::uint16_t MemoryNetwork::attach(MemoryTransport* end, std::uint32_t host, std::uint16_t port,
                                    bool listening)
{
    if (port == 0) {
        port = nextPort++;
    }
    const MemoryAddress at{host, port};
    for (const auto& taken : ends) {
        if (taken.first.port == port &&
            (taken.first.host == host || taken.first.host == 0 || host == 0)) {
            return 0;
        }
    }
    ends[at] = End{end, listening};
    return port;
}

void MemoryNetwork::detach(MemoryTransport* end)
{
    for (auto at = ends.begin(); at != ends.end();) {
        at = at->second.transport == end ? ends.erase(at) : std::next(at);
    }
}

const MemoryNetwork::End* MemoryNetwork::find(const MemoryAddress& at) const
{
    auto found = ends.find(at);
    if (found == ends.end()) {
        found = ends.find(MemoryAddress{0, at.port});
    }
    return found == ends.end() ? nullptr : &found->second;
}

void MemoryNetwork::post(const MemoryDatagram& datagram)
{
    // Towards an end that listens, or back from one.
    const End* sender = find(datagram.from);
    const int direction = sender != nullptr && sender->listening ? 1 : 0;
    double due[2];
    const int copies =
        fates[direction].arrivals(direction == 0 ? toListener : fromListener, clock,
                                  lastDue[{datagram.from, datagram.to}], counts[direction], due);
    for (int copy = 0; copy < copies; ++copy) {
        flights.push(Flight{due[copy], order++, direction, datagram});
    }
}

void MemoryNetwork::deliverDue()
{
    while (!flights.empty() && flights.top().due <= clock) {
        const Flight flight = flights.top();
        flights.pop();
        ++counts[flight.direction].sent;
        if (const End* end = find(flight.datagram.to)) {
            end->transport->take(flight.datagram);
        }
    }
}

} // namespace TestSupport
