#include "Render/OGL/BufferStorage.h"

#include <GL/glew.h>

namespace OGL {

bool allocateBufferStorage(unsigned int target, unsigned int id, int size, unsigned int usage)
{
    // Mapping once shows that the driver really has the memory; some
    // drivers only report a failed allocation at the first map.
    for (int attempt = 0; attempt < 10; ++attempt) {
        glBindBuffer(target, id);
        glBufferData(target, size, nullptr, usage);
        glMapBuffer(target, GL_READ_ONLY);
        if (glUnmapBuffer(target) == GL_TRUE) {
            return true;
        }
    }
    return false;
}

} // namespace OGL
