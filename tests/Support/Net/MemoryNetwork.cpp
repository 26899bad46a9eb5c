#include "MemoryNetwork.h"

#include <algorithm>

#include "MemoryTransport.h"

namespace TestSupport {

namespace {

constexpr std::uint32_t LOOPBACK = 0x7F000001;

} // namespace

MemoryNetwork::MemoryNetwork(std::uint32_t seed) : generator(seed)
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

bool MemoryNetwork::chance(double share)
{
    return share > 0 && std::uniform_real_distribution<double>(0, 1)(generator) < share;
}

void MemoryNetwork::post(const MemoryDatagram& datagram)
{
    // Towards an end that listens, or back from one.
    const End* sender = find(datagram.from);
    const int direction = sender != nullptr && sender->listening ? 1 : 0;
    const LinkShape& shape = direction == 0 ? toListener : fromListener;
    LinkCount& count = counts[direction];
    ++count.sent;
    bool lost = false;
    if (burstLeft[direction] > 0) {
        --burstLeft[direction];
        lost = true;
    } else if (chance(shape.burstChance)) {
        burstLeft[direction] = std::max(0, shape.burstLength - 1);
        lost = true;
    } else {
        lost = chance(shape.loss);
    }
    if (lost) {
        ++count.lost;
        return;
    }
    const int copies = chance(shape.duplicate) ? 2 : 1;
    count.duplicated += static_cast<unsigned long>(copies - 1);
    for (int copy = 0; copy < copies; ++copy) {
        const double spread = std::uniform_real_distribution<double>(-1, 1)(generator);
        double& last = lastDue[{datagram.from, datagram.to}];
        double due = std::max(clock + std::max(0.0, shape.delay + spread * shape.jitter), last);
        last = due;
        if (chance(shape.reorder)) {
            due += shape.reorderDelay;
            ++count.reordered;
        }
        flights.push(Flight{due, order++, datagram});
    }
}

void MemoryNetwork::deliverDue()
{
    while (!flights.empty() && flights.top().due <= clock) {
        const MemoryDatagram datagram = flights.top().datagram;
        flights.pop();
        if (const End* end = find(datagram.to)) {
            end->transport->take(datagram);
        }
    }
}

} // namespace TestSupport
