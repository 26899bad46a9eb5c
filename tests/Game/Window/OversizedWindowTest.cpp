#include <gtest/gtest.h>

#include "Game/GLFW/GLFW27.h"

using namespace GLFW27;

// A window asked for at a size beyond the screen (a settings typo such as
// SCREEN_WIDTH == 100000) must open and draw, not end the process with an
// X error from the driver.
TEST(GLFW27OversizedWindow, OpensNoLargerThanTheScreenAndDraws)
{
    struct Case {
        int width;
        int height;
    };
    const Case cases[] = {{100000, 100000}, {2147483647, 240}, {320, 70000}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        ASSERT_EQ(glfwInit(), 1);
        GLFWvidmode screen{};
        glfwGetDesktopMode(&screen);
        ASSERT_GT(screen.Width, 0);
        ASSERT_EQ(glfwOpenWindow(c.width, c.height, 0, 0, 0, 0, 24, 0, GLFW_WINDOW), 1);
        int w = 0;
        int h = 0;
        glfwGetWindowSize(&w, &h);
        EXPECT_EQ(w, std::min(c.width, screen.Width));
        EXPECT_EQ(h, std::min(c.height, screen.Height));
        for (int frame = 0; frame < 3; ++frame) {
            glfwSwapBuffers();
        }
        glfwTerminate();
    }
}
