// Fuzzing harness: arbitrary bytes as a network message, read once with a
// server's limit and once with a client's. The codec either refuses them
// with a one-line reason or gives a message whose encoding reads back as
// the same encoding, within the same limit.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/online/MessageCodec.h"
#include "app/online/Protocol.h"

namespace {

void check(const std::uint8_t* data, std::size_t size, std::size_t limit)
{
    Online::Message message;
    std::string error;
    if (!Online::MessageCodec::decode(data, size, limit, message, error)) {
        if (error.empty() || error.find('\n') != std::string::npos) {
            std::abort(); // one line that says why
        }
        return;
    }
    if (size > limit) {
        std::abort(); // an oversized message must never be taken
    }
    const std::vector<std::uint8_t> again = Online::MessageCodec::encode(message);
    Online::Message second;
    if (!Online::MessageCodec::decode(again.data(), again.size(),
                                      Online::Protocol::MAX_SERVER_MESSAGE, second, error) ||
        Online::MessageCodec::encode(second) != again) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    check(data, size, Online::Protocol::MAX_CLIENT_MESSAGE);
    check(data, size, Online::Protocol::MAX_SERVER_MESSAGE);
    return 0;
}
