#pragma once

namespace Render {

// How a pixel buffer's data is used, as a hint for where to keep it. Other
// values make no buffer.
enum BufferDataType : int {
    BUFFER_STATIC_DRAW = 0,
    BUFFER_DYNAMIC_DRAW = 1,
    BUFFER_DYNAMIC_READ = 2,
    BUFFER_DYNAMIC_COPY = 3
};

} // namespace Render
