// The least a program can do to show a frame with GLFW and GLEW: open a
// window, load the extension entry points, clear it once in a colour, swap,
// and wait until it is closed or killed. The start-up and memory benchmarks
// hold the game against it.
//
// Usage: vektra_minimal_window WIDTH HEIGHT 0xRRGGBBAA [SECONDS [COLUMNS ROWS [all]]]
// With SECONDS it closes itself after that long; without, it waits for the
// window to be closed (or the process to be killed). With COLUMNS and ROWS
// it also keeps drawing, frame after frame, black and white quads from a
// client array filled once: the wall ring of a grid of that many cells
// (what a match's first frame shows), or with "all" every cell of it (the
// most a match can ever draw). That is the least a program needs to draw
// those quads, so the driver's own memory for drawing (its shader
// compiler, its copies of the vertices) is part of this reference too.

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Options {
    int width = 800;
    int height = 600;
    unsigned long colour = 0x000000FFul;
    double seconds = -1.0;
    int columns = 0;
    int rows = 0;
    bool allCells = false;
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
    if (argc > 6) {
        options.columns = std::atoi(argv[5]);
        options.rows = std::atoi(argv[6]);
    }
    options.allCells = argc > 7 && std::string(argv[7]) == "all";
    return options.width > 0 && options.height > 0 && options.columns >= 0 && options.rows >= 0;
}

float channel(unsigned long colour, int shift)
{
    return static_cast<float>((colour >> shift) & 0xFFu) / 255.0f;
}

// The wall ring (or every cell) of a grid as quads filling a width x height
// window, row 0 at the top: 12 floats per quad.
std::vector<float> wallRing(const Options& options)
{
    std::vector<float> quads;
    const float cw = static_cast<float>(options.width) / options.columns;
    const float ch = static_cast<float>(options.height) / options.rows;
    for (int x = 0; x < options.columns; ++x) {
        for (int y = 0; y < options.rows; ++y) {
            const bool wall = x == 0 || y == 0 || x == options.columns - 1 || y == options.rows - 1;
            if (!wall && !options.allCells) {
                continue;
            }
            const float left = cw * x;
            const float top = options.height - ch * y;
            const float corners[12] = {left,      top,      0, left,      top - ch, 0,
                                       left + cw, top - ch, 0, left + cw, top,      0};
            quads.insert(quads.end(), corners, corners + 12);
        }
    }
    return quads;
}

void drawFrames(GLFWwindow* window, const Options& options, double end)
{
    const std::vector<float> quads = wallRing(options);
    glMatrixMode(GL_PROJECTION);
    glOrtho(0, options.width, 0, options.height, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glClearColor(0, 0, 0, 0);
    glColor4ub(255, 255, 255, 255);
    glfwSwapInterval(1); // as the game's arena asks for
    while (!glfwWindowShouldClose(window) && (options.seconds < 0 || glfwGetTime() < end)) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glEnableClientState(GL_VERTEX_ARRAY);
        glVertexPointer(3, GL_FLOAT, 0, quads.data());
        glDrawArrays(GL_QUADS, 0, static_cast<GLsizei>(quads.size() / 3));
        glDisableClientState(GL_VERTEX_ARRAY);
        glfwSwapBuffers(window);
        glfwPollEvents();
    }
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!parse(argc, argv, options)) {
        std::fprintf(stderr, "usage: %s WIDTH HEIGHT 0xRRGGBBAA [SECONDS [COLUMNS ROWS [all]]]\n",
                     argv[0]);
        return 2;
    }
    if (!glfwInit()) {
        return 1;
    }
    // The same framebuffer the game asks for: default colour bits, 24 depth bits, no stencil.
    glfwWindowHint(GLFW_DEPTH_BITS, 24);
    glfwWindowHint(GLFW_STENCIL_BITS, 0);
    GLFWwindow* window =
        glfwCreateWindow(options.width, options.height, "minimal", nullptr, nullptr);
    if (window == nullptr || (glfwMakeContextCurrent(window), glewInit() != GLEW_OK)) {
        glfwTerminate();
        return 1;
    }
    glClearColor(channel(options.colour, 24), channel(options.colour, 16),
                 channel(options.colour, 8), channel(options.colour, 0));
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glfwSwapBuffers(window);

    const double end = glfwGetTime() + options.seconds;
    if (options.columns > 0 && options.rows > 0) {
        drawFrames(window, options, end);
    }
    while (!glfwWindowShouldClose(window) && (options.seconds < 0 || glfwGetTime() < end)) {
        glfwWaitEventsTimeout(0.05);
    }
    glfwDestroyWindow(window);
    glfwTerminate();
    return 0;
}
