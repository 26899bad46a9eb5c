// The least a program can do to show a frame with GLFW and GLEW: open a
// window, load the extension entry points, clear it once in a colour, swap,
// and wait until it is closed or killed. The start-up and memory benchmarks
// hold the game against it.
//
// Usage: vektra_minimal_window WIDTH HEIGHT 0xRRGGBBAA [SECONDS]
// With SECONDS it closes itself after that long; without, it waits for the
// window to be closed (or the process to be killed).

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <cstdio>
#include <cstdlib>

namespace {

struct Options {
    int width = 800;
    int height = 600;
    unsigned long colour = 0x000000FFul;
    double seconds = -1.0;
};

bool parse(int argc, char** argv, Options& options)
{
    if (argc < 4) {
        return false;
    }
    options.width = std::atoi(argv[1]);
    options.height = std::atoi(argv[2]);
    options.colour = std::strtoul(argv[3], nullptr, 0);
    if (argc > 4) {
        options.seconds = std::atof(argv[4]);
    }
    return options.width > 0 && options.height > 0;
}

float channel(unsigned long colour, int shift)
{
    return static_cast<float>((colour >> shift) & 0xFFu) / 255.0f;
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!parse(argc, argv, options)) {
        std::fprintf(stderr, "usage: %s WIDTH HEIGHT 0xRRGGBBAA [SECONDS]\n", argv[0]);
        return 2;
    }
    if (!glfwInit()) {
        return 1;
    }
    // The same framebuffer the game asks for: default colour bits, 24 depth bits, no stencil.
    glfwWindowHint(GLFW_DEPTH_BITS, 24);
    glfwWindowHint(GLFW_STENCIL_BITS, 0);
    GLFWwindow* window = glfwCreateWindow(options.width, options.height, "minimal", nullptr, nullptr);
    if (window == nullptr || (glfwMakeContextCurrent(window), glewInit() != GLEW_OK)) {
        glfwTerminate();
        return 1;
    }
    glClearColor(channel(options.colour, 24), channel(options.colour, 16),
                 channel(options.colour, 8), channel(options.colour, 0));
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glfwSwapBuffers(window);

    const double end = glfwGetTime() + options.seconds;
    while (!glfwWindowShouldClose(window) && (options.seconds < 0 || glfwGetTime() < end)) {
        glfwWaitEventsTimeout(0.05);
    }
    glfwDestroyWindow(window);
    glfwTerminate();
    return 0;
}
