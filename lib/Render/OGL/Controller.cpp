#include "Render/OGL/Controller.h"

#include <GL/glew.h>
#include <GL/glu.h>

#include "Math/Matrix4x4.h"
#include "Render/OGL/Extensions.h"
#include "Render/OGL/RenderQueue.h"
#include "Render/OGL/VertexBufferObject.h"
#include "Util/RGBA.h"

namespace OGL {

namespace {

// The OpenGL mode of a primitive kind; false for a kind outside 0 to 5.
bool renderMode(Render::RenderType kind, GLenum& mode)
{
    static const GLenum modes[] = {GL_POINTS,         GL_LINES,          GL_TRIANGLES,
                                   GL_QUADS,          GL_TRIANGLE_STRIP, GL_TRIANGLE_FAN};
    const int index = static_cast<int>(kind);
    if (index < 0 || index >= static_cast<int>(sizeof(modes) / sizeof(modes[0]))) {
        return false;
    }
    mode = modes[index];
    return true;
}

void enable(GLenum capability, bool on)
{
    if (on) {
        glEnable(capability);
    } else {
        glDisable(capability);
    }
}

GLint integerLimit(GLenum name)
{
    GLint value = 0;
    glGetIntegerv(name, &value);
    return value;
}

// Whether a buffer object is bound to the binding, so that a null pointer
// is a valid offset 0 into it instead of a missing array.
bool bufferBound(GLenum binding)
{
    GLint id = 0;
    glGetIntegerv(binding, &id);
    return id != 0;
}

} // namespace

Controller::Controller(Render::ViewData const& view)
    : m_viewData(view), m_renderQueue(new Render::OGL::RenderQueue()), m_camera(),
      m_overrideSet(), m_overrideValue()
{
    m_camera.position = MathStuff::Vector3<float>(0, 0, 0);
    m_camera.direction = MathStuff::Vector3<float>(0, 0, 1);
    m_camera.up = MathStuff::Vector3<float>(0, 1, 0);
    m_camera.scale = MathStuff::Vector3<float>(1, 1, 1);
}

Controller::~Controller() {}

// ---- abilities ----

int Controller::getAbility(int ability)
{
    if (static_cast<unsigned int>(ability) > 12u) {
        return -1;
    }
    if (m_overrideSet[ability]) {
        return m_overrideValue[ability];
    }
    return hardwareAbility(ability);
}

int Controller::hardwareAbility(int ability) const
{
    switch (ability) {
    case Render::HAVE_SHADERS:
        return hasExtension(Extension::ShaderObjects) ? 1 : 0;
    case Render::HAVE_NPOT_TEXTURES:
        return hasExtension(Extension::TextureNonPowerOfTwo) ? 1 : 0;
    case Render::HAVE_RTT:
    case Render::HAVE_FBOS:
        return hasExtension(Extension::FramebufferObject) ? 1 : 0;
    case Render::HAVE_VBOS:
        return VertexBufferObject::VBOsSupported() ? 1 : 0;
    case Render::HAVE_PBOS:
        return hasExtension(Extension::PixelBufferObjectEXT) ? 1 : 0;
    case Render::HAVE_FRAME_BLIT:
        return hasExtension(Extension::FramebufferBlit) ? 1 : 0;
    case Render::HAVE_FLOAT_TEX:
        return hasExtension(Extension::TextureFloat) ? 1 : 0;
    case Render::MAX_TEXTURE_SIZE_2D:
        return integerLimit(GL_MAX_TEXTURE_SIZE);
    case Render::MAX_TEXTURE_SIZE_3D:
        return integerLimit(GL_MAX_3D_TEXTURE_SIZE);
    case Render::MAX_RTT_SIZE:
    case Render::MAX_FBO_SIZE:
    case Render::MAX_PBO_SIZE:
        return integerLimit(GL_MAX_RENDERBUFFER_SIZE);
    default:
        return 0;
    }
}

void Controller::setAbility(int ability, int value)
{
    if (static_cast<unsigned int>(ability) > 12u) {
        return;
    }
    m_overrideSet[ability] = true;
    m_overrideValue[ability] = value;
}

// ---- render state ----

void Controller::init()
{
    setVsync();
    glFrontFace(GL_CCW);
    glCullFace(GL_BACK);
    glEnable(GL_CULL_FACE);
    glDisable(GL_LIGHTING);
}

void Controller::setVsync()
{
    if (m_swapInterval != nullptr) {
        m_swapInterval(m_viewData.vsync != 0 ? 1 : 0);
    }
}

void Controller::setViewport() const
{
    glViewport(m_viewData.x, m_viewData.y, m_viewData.width, m_viewData.height);
}

void Controller::doClear(Util::RGBA const& color)
{
    float rgba[4];
    color.toFloats(rgba);
    glClearColor(rgba[0], rgba[1], rgba[2], rgba[3]);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void Controller::setColor(Util::RGBA const& color)
{
    glColor4ub(color.r, color.g, color.b, color.a);
}

void Controller::setCulling(bool on)
{
    enable(GL_CULL_FACE, on);
}

void Controller::setBlending(bool on)
{
    enable(GL_BLEND, on);
    enable(GL_ALPHA_TEST, on);
    if (on) {
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
}

void Controller::setDepthTest(bool on)
{
    enable(GL_DEPTH_TEST, on);
}

void Controller::setDepthMask(bool on)
{
    glDepthMask(on ? GL_TRUE : GL_FALSE);
}

void Controller::setColorMask(bool on)
{
    setColorMask(on, on, on, on);
}

void Controller::setColorMask(bool red, bool green, bool blue, bool alpha)
{
    glColorMask(red, green, blue, alpha);
}

void Controller::setAlphaTest(bool on)
{
    enable(GL_ALPHA_TEST, on);
}

void Controller::setAlphaFunc(float reference, bool greater)
{
    glAlphaFunc(greater ? GL_GREATER : GL_LESS, reference);
}

void Controller::setFog(bool on)
{
    enable(GL_FOG, on);
}

void Controller::setFogParams(float start, float end, Util::RGBA const& color)
{
    float rgba[4];
    color.toFloats(rgba);
    glFogfv(GL_FOG_COLOR, rgba);
    glFogf(GL_FOG_START, static_cast<float>(m_viewData.maxZ * start / 100.0));
    glFogf(GL_FOG_END, static_cast<float>(m_viewData.maxZ * end / 100.0));
    glFogi(GL_FOG_MODE, GL_LINEAR);
}

// Clip shapes are counted in the stencil buffer: while they are drawn every
// fragment fails the stencil test (so nothing reaches the screen) and adds
// one to its pixel's count; clipping then compares against that count.
void Controller::beginClipDraw(bool clear)
{
    glEnable(GL_STENCIL_TEST);
    if (clear) {
        glClearStencil(0);
        glClear(GL_STENCIL_BUFFER_BIT);
    }
    glStencilFunc(GL_NEVER, 0, 0);
    glStencilOp(GL_INCR, GL_INCR, GL_INCR);
}

void Controller::endClipDraw()
{
    glDisable(GL_STENCIL_TEST);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
}

void Controller::setClipping(bool on, int level)
{
    if (!on) {
        glDisable(GL_STENCIL_TEST);
        return;
    }
    glEnable(GL_STENCIL_TEST);
    if (level >= 0) {
        glStencilFunc(GL_EQUAL, level, ~0u);
    } else {
        // -1 - level, written so that the most negative int cannot overflow.
        glStencilFunc(GL_NOTEQUAL, -(level + 1), ~0u);
    }
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
}

// ---- view data and camera ----

void Controller::pushViewData()
{
    m_viewDataStack.push_back(m_viewData);
}

void Controller::popViewData()
{
    if (m_viewDataStack.empty()) {
        return;
    }
    setViewData(m_viewDataStack.back());
    m_viewDataStack.pop_back();
}

void Controller::setViewData(Render::ViewData const& data)
{
    if (data.fov != 0) {
        m_viewData.fov = data.fov;
    }
    bool viewportChanged = false;
    if (data.x != -1) {
        m_viewData.x = data.x;
        viewportChanged = true;
    }
    if (data.y != -1) {
        m_viewData.y = data.y;
        viewportChanged = true;
    }
    if (data.width != 0) {
        m_viewData.width = data.width;
        viewportChanged = true;
    }
    if (data.height != 0) {
        m_viewData.height = data.height;
        viewportChanged = true;
    }
    if (data.minZ != 0) {
        m_viewData.minZ = data.minZ;
    }
    if (data.maxZ != 0) {
        m_viewData.maxZ = data.maxZ;
    }
    if (data.zoomX != 0) {
        m_viewData.zoomX = data.zoomX;
    }
    if (data.zoomY != 0) {
        m_viewData.zoomY = data.zoomY;
    }
    if (data.vsync != -1) {
        m_viewData.vsync = data.vsync;
        setVsync();
    }
    if (viewportChanged) {
        setViewport();
    }
    m_viewData.is3D = data.is3D;
    applyProjection(data);
}

void Controller::applyProjection(Render::ViewData const& requested)
{
    const Render::ViewData& view = m_viewData;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    if (view.is3D) {
        gluPerspective(view.fov * view.zoomX,
                       static_cast<double>(view.width) / static_cast<double>(view.height),
                       view.minZ, view.maxZ);
        glEnable(GL_DEPTH_TEST);
        return;
    }
    // The near plane comes from the request alone: a 2D set-up that leaves
    // minZ at its keep value gets -1, whatever a 3D set-up stored before.
    const double w = view.width;
    const double h = view.height;
    const double nearPlane = requested.minZ != 0 ? requested.minZ : -1.0;
    glOrtho(w - w * view.zoomX, w * view.zoomX, h - h * view.zoomY, h * view.zoomY, nearPlane,
            view.maxZ);
    glDisable(GL_DEPTH_TEST);
}

Render::ViewData const& Controller::getViewData() const
{
    return m_viewData;
}

void Controller::pushCamera()
{
    m_cameraStack.push_back(m_camera);
}

void Controller::popCamera()
{
    if (m_cameraStack.empty()) {
        return;
    }
    setCamera(m_cameraStack.back());
    m_cameraStack.pop_back();
}

void Controller::setCamera(MathStuff::Orientation<float> const& camera)
{
    m_camera = camera;
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    // Rows s = direction × up, up, -direction: the camera looks down its
    // direction. Nothing is normalised, so callers pass unit vectors.
    const MathStuff::Vector3<float> s = MathStuff::cross(camera.direction, camera.up);
    MathStuff::Matrix4x4<float> rotation;
    rotation.m[0] = s.x;
    rotation.m[1] = camera.up.x;
    rotation.m[2] = -camera.direction.x;
    rotation.m[4] = s.y;
    rotation.m[5] = camera.up.y;
    rotation.m[6] = -camera.direction.y;
    rotation.m[8] = s.z;
    rotation.m[9] = camera.up.z;
    rotation.m[10] = -camera.direction.z;
    rotation.m[15] = 1;
    glMultMatrixf(rotation.data());
    glTranslatef(-camera.position.x, -camera.position.y, -camera.position.z);
}

MathStuff::Orientation<float> const& Controller::getCamera() const
{
    return m_camera;
}

// ---- projection queries ----

namespace {

struct Transforms {
    GLdouble modelview[16];
    GLdouble projection[16];
    GLint viewport[4];
};

Transforms currentTransforms()
{
    Transforms t;
    glGetDoublev(GL_MODELVIEW_MATRIX, t.modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, t.projection);
    glGetIntegerv(GL_VIEWPORT, t.viewport);
    return t;
}

} // namespace

MathStuff::Vector3<float> Controller::projectPoint(MathStuff::Vector3<float> point) const
{
    const Transforms t = currentTransforms();
    GLdouble x = 0;
    GLdouble y = 0;
    GLdouble z = 0;
    gluProject(point.x, point.y, point.z, t.modelview, t.projection, t.viewport, &x, &y, &z);
    return MathStuff::Vector3<float>(static_cast<float>(x), static_cast<float>(y),
                                     static_cast<float>(z));
}

// Kept as it always computed: the window y is not flipped and the camera
// position is subtracted from a direction. Nothing in the program uses it.
MathStuff::Vector3<float> Controller::getPickRay(int x, int y) const
{
    const Transforms t = currentTransforms();
    GLdouble n[3] = {0, 0, 0};
    GLdouble f[3] = {0, 0, 0};
    gluUnProject(x, y, 0.0, t.modelview, t.projection, t.viewport, &n[0], &n[1], &n[2]);
    gluUnProject(x, y, 1.0, t.modelview, t.projection, t.viewport, &f[0], &f[1], &f[2]);
    const MathStuff::Vector3<float>& eye = m_camera.position;
    return MathStuff::Vector3<float>(static_cast<float>(f[0] - n[0] - eye.x),
                                     static_cast<float>(-(f[1] - n[1]) - eye.y),
                                     static_cast<float>(f[2] - n[2] - eye.z));
}

// ---- drawing and screen access ----

void Controller::blit(int srcX0, int srcY0, int srcX1, int srcY1, int dstX0, int dstY0, int dstX1,
                      int dstY1)
{
    if (glBlitFramebuffer) {
        glBlitFramebuffer(srcX0, srcY0, srcX1, srcY1, dstX0, dstY0, dstX1, dstY1,
                          GL_COLOR_BUFFER_BIT, GL_LINEAR);
    }
    drainErrors();
}

void Controller::drawArrays(Render::RenderType kind, int first, unsigned int count)
{
    GLenum mode = 0;
    if (count != 0 && renderMode(kind, mode)) {
        glDrawArrays(mode, first, static_cast<GLsizei>(count));
    }
}

void Controller::drawClientArray(Render::RenderType kind, const float* xyz, unsigned int count)
{
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, xyz);
    drawArrays(kind, 0, count);
    glDisableClientState(GL_VERTEX_ARRAY);
}

void Controller::drawElements(Render::RenderType kind, unsigned int count, unsigned int* indices)
{
    GLenum mode = 0;
    if (count == 0 || !renderMode(kind, mode)) {
        return;
    }
    // A null pointer is only an offset when an index buffer is bound;
    // otherwise OpenGL would read indices from address 0.
    if (indices == nullptr && !bufferBound(GL_ELEMENT_ARRAY_BUFFER_BINDING)) {
        return;
    }
    glDrawElements(mode, static_cast<GLsizei>(count), GL_UNSIGNED_INT, indices);
}

Render::I_RenderQueue* Controller::getRenderQueue()
{
    return m_renderQueue.get();
}

void Controller::copyScreen(unsigned char* destination, int x, int y, int width, int height)
{
    // A null destination is an offset into a bound pack buffer, else refused.
    if (destination == nullptr && !bufferBound(GL_PIXEL_PACK_BUFFER_BINDING)) {
        return;
    }
    glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, destination);
    drainErrors();
}

void Controller::showScreen(unsigned char* source, int x, int y, int width, int height)
{
    if (source == nullptr && !bufferBound(GL_PIXEL_UNPACK_BUFFER_BINDING)) {
        return;
    }
    glPushAttrib(GL_VIEWPORT_BIT | GL_TRANSFORM_BIT);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDepthRange(1.0, 1.0);
    // A 2x2 viewport centred on pixel (x, y): the raster position (0, 0)
    // falls on that pixel and stays valid even at the window's edge, where
    // a raster position outside the viewport would be dropped.
    glViewport(x - 1, y - 1, 2, 2);
    glRasterPos4f(0, 0, 0, 1);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glPopAttrib();
    glDrawPixels(width, height, GL_RGBA, GL_UNSIGNED_BYTE, source);
}

} // namespace OGL
