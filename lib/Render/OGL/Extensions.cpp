#include "Render/OGL/Extensions.h"

#include <GL/glew.h>

namespace OGL {

namespace {

constexpr int EXTENSION_COUNT = static_cast<int>(Extension::Count);

bool forcedOff[EXTENSION_COUNT] = {};

// Besides the flag, the entry points are checked: a driver that names an
// extension without loading its functions must not lead to a call through
// a null pointer.
bool driverHas(Extension extension)
{
    switch (extension) {
    case Extension::ShaderObjects:
        return GLEW_ARB_shader_objects;
    case Extension::TextureNonPowerOfTwo:
        return GLEW_ARB_texture_non_power_of_two;
    case Extension::FramebufferObject:
        return GLEW_EXT_framebuffer_object && glGenFramebuffers && glBindFramebuffer &&
               glGenRenderbuffers && glRenderbufferStorage && glCheckFramebufferStatus;
    case Extension::VertexBufferObject:
        return GLEW_ARB_vertex_buffer_object && glGenBuffers && glBufferData && glMapBuffer &&
               glBufferSubData && glGetBufferSubData;
    case Extension::PixelBufferObjectEXT:
        return GLEW_EXT_pixel_buffer_object;
    case Extension::PixelBufferObjectARB:
        return GLEW_ARB_pixel_buffer_object && glGenBuffers && glBufferData && glMapBuffer;
    case Extension::FramebufferBlit:
        return GLEW_EXT_framebuffer_blit;
    case Extension::TextureFloat:
        return GLEW_ARB_texture_float;
    case Extension::Count:
        break;
    }
    return false;
}

bool inRange(Extension extension)
{
    const int index = static_cast<int>(extension);
    return index >= 0 && index < EXTENSION_COUNT;
}

} // namespace

bool hasExtension(Extension extension)
{
    if (!inRange(extension) || forcedOff[static_cast<int>(extension)]) {
        return false;
    }
    return driverHas(extension);
}

void forceExtensionOff(Extension extension, bool off)
{
    if (inRange(extension)) {
        forcedOff[static_cast<int>(extension)] = off;
    }
}

void drainErrors()
{
    // Bounded: a lost context may report an error on every call.
    for (int i = 0; i < 64 && glGetError() != GL_NO_ERROR; ++i) {
    }
}

} // namespace OGL
