#pragma once

namespace OGL {

// The OpenGL extensions the render code asks about.
enum class Extension {
    ShaderObjects,        // GL_ARB_shader_objects
    TextureNonPowerOfTwo, // GL_ARB_texture_non_power_of_two
    FramebufferObject,    // GL_EXT_framebuffer_object
    VertexBufferObject,   // GL_ARB_vertex_buffer_object
    PixelBufferObjectEXT, // GL_EXT_pixel_buffer_object
    PixelBufferObjectARB, // GL_ARB_pixel_buffer_object
    FramebufferBlit,      // GL_EXT_framebuffer_blit
    TextureFloat,         // GL_ARB_texture_float
    Count
};

// Whether the current context offers the extension (and the entry points
// the render code calls for it). Needs glewInit to have run; before that
// every extension reads as absent. An extension forced off reads absent.
bool hasExtension(Extension extension);

// Makes hasExtension answer "absent" for the extension (true) or ask the
// driver again (false), so the fallbacks can be exercised on hardware that
// has everything.
void forceExtensionOff(Extension extension, bool off);

// Reads OpenGL's error flags until none is left and drops the codes: the
// render code does not report OpenGL errors, it only keeps old ones from
// being blamed on later calls.
void drainErrors();

} // namespace OGL
