#include "GLContextFixture.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

#include "Render/OGL/Extensions.h"

namespace {

void reportGlfwError(int code, const char* description)
{
    std::fprintf(stderr, "GLFW error 0x%x: %s\n", code, description);
}

GLFWwindow* tryOpenWindow()
{
    if (!glfwInit()) {
        return nullptr;
    }
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    glfwWindowHint(GLFW_DEPTH_BITS, 24);
    glfwWindowHint(GLFW_STENCIL_BITS, 8);
    GLFWwindow* window = glfwCreateWindow(GLContextTest::WIDTH, GLContextTest::HEIGHT,
                                          "render test", nullptr, nullptr);
    if (window == nullptr) {
        glfwTerminate();
        return nullptr;
    }
    glfwMakeContextCurrent(window);
    if (glewInit() != GLEW_OK) {
        glfwDestroyWindow(window);
        glfwTerminate();
        return nullptr;
    }
    return window;
}

// The X server resets whenever its last client leaves, and refuses
// connections while it does; with tests starting and ending in parallel
// that happens now and then, so the window is asked for a few times.
GLFWwindow* openWindow()
{
    glfwSetErrorCallback(reportGlfwError);
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (GLFWwindow* window = tryOpenWindow()) {
            return window;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return nullptr;
}

GLFWwindow* sharedWindow()
{
    static GLFWwindow* window = openWindow();
    return window;
}

void resetState()
{
    const GLenum capabilities[] = {GL_CULL_FACE, GL_DEPTH_TEST,   GL_BLEND,    GL_ALPHA_TEST,
                                   GL_FOG,       GL_STENCIL_TEST, GL_LIGHTING, GL_TEXTURE_2D};
    for (GLenum capability : capabilities) {
        glDisable(capability);
    }
    glViewport(0, 0, GLContextTest::WIDTH, GLContextTest::HEIGHT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthMask(GL_TRUE);
    glStencilFunc(GL_ALWAYS, 0, ~0u);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
    glColor4ub(255, 255, 255, 255);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
    glBindBuffer(GL_PIXEL_UNPACK_BUFFER, 0);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (int i = 0; i < static_cast<int>(OGL::Extension::Count); ++i) {
        OGL::forceExtensionOff(static_cast<OGL::Extension>(i), false);
    }
    while (glGetError() != GL_NO_ERROR) {
    }
}

} // namespace

void GLContextTest::SetUp()
{
    ASSERT_NE(sharedWindow(), nullptr) << "no OpenGL window: run the tests under xvfb-run";
    resetState();
    clearAll();
}

void GLContextTest::TearDown()
{
    if (sharedWindow() != nullptr) {
        resetState();
    }
}

void GLContextTest::clearAll()
{
    glClearColor(0, 0, 0, 0);
    glClearStencil(0);
    glClearDepth(1.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
}

std::vector<unsigned char> GLContextTest::windowPixels()
{
    std::vector<unsigned char> pixels(WIDTH * HEIGHT * 4);
    glReadPixels(0, 0, WIDTH, HEIGHT, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

int GLContextTest::differingPixels(const std::vector<unsigned char>& a,
                                   const std::vector<unsigned char>& b)
{
    if (a.size() != b.size()) {
        return static_cast<int>(std::max(a.size(), b.size()) / 4);
    }
    int count = 0;
    for (std::size_t i = 0; i + 3 < a.size(); i += 4) {
        count +=
            a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2] || a[i + 3] != b[i + 3];
    }
    return count;
}

std::vector<unsigned char> GLContextTest::pixel(int x, int y)
{
    std::vector<unsigned char> rgba(4, 0);
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return rgba;
}

bool GLContextTest::isWhite(int x, int y)
{
    const std::vector<unsigned char> p = pixel(x, y);
    return p[0] > 250 && p[1] > 250 && p[2] > 250;
}

bool GLContextTest::isBlack(int x, int y)
{
    const std::vector<unsigned char> p = pixel(x, y);
    return p[0] < 5 && p[1] < 5 && p[2] < 5;
}

bool GLContextTest::enabled(unsigned int capability)
{
    return glIsEnabled(capability) == GL_TRUE;
}

int GLContextTest::integer(unsigned int name)
{
    GLint value = 0;
    glGetIntegerv(name, &value);
    return value;
}

std::vector<float> GLContextTest::floats(unsigned int name, int count)
{
    std::vector<float> values(static_cast<std::size_t>(count) + 16, 0.0f);
    glGetFloatv(name, values.data());
    values.resize(static_cast<std::size_t>(count));
    return values;
}
