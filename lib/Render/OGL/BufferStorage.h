#pragma once

namespace OGL {

// Gives the buffer object id, bound to target, size bytes of storage with
// the usage, and proves the storage by mapping it: up to 10 attempts of
// glBufferData, glMapBuffer and glUnmapBuffer. True when an unmap succeeded.
// The buffer is left bound.
bool allocateBufferStorage(unsigned int target, unsigned int id, int size, unsigned int usage);

} // namespace OGL
