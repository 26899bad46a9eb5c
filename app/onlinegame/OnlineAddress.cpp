#include "OnlineAddress.h"

#include <cctype>
#include <stdexcept>

#include "CFG/CFG.h"
#include "app/online/Protocol.h"

namespace Tool {

bool OnlineAddress::parse(const std::string& text, std::uint16_t defaultPort,
                          OnlineAddress& address, std::string& error)
{
    const std::size_t colon = text.find(':');
    if (colon != std::string::npos && text.find(':', colon + 1) != std::string::npos) {
        error = "not host or host:port (IPv6 addresses are not supported): " + text;
        return false;
    }
    const std::string host = text.substr(0, colon);
    if (host.empty()) {
        error = "no host in: " + text;
        return false;
    }
    unsigned long port = defaultPort;
    if (colon != std::string::npos) {
        const std::string digits = text.substr(colon + 1);
        // Digits only, and few enough that the value cannot overflow.
        bool number = !digits.empty() && digits.size() <= 5;
        for (char c : digits) {
            number = number && std::isdigit(static_cast<unsigned char>(c)) != 0;
        }
        port = number ? std::stoul(digits) : 0;
        if (port == 0 || port > 65535) {
            error = "the port is no number from 1 to 65535: " + digits;
            return false;
        }
    }
    address.host = host;
    address.port = static_cast<std::uint16_t>(port);
    return true;
}

OnlineAddress OnlineAddress::fromSettings()
{
    OnlineAddress address;
    std::string error;
    if (!parse(CFG::get("CONNECT"), Online::Protocol::DEFAULT_PORT, address, error)) {
        throw std::invalid_argument("CONNECT: " + error);
    }
    return address;
}

} // namespace Tool
