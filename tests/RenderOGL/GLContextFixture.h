#pragma once

#include <gtest/gtest.h>

#include <vector>

// A hidden GLFW window with a current OpenGL context (24 depth bits,
// 8 stencil bits), made once per test process and shared by every test.
// Each test starts from a known state: viewport on the whole window,
// identity matrices, no capability switched on that the render code
// touches, no buffer bound, no extension forced off.
class GLContextTest : public ::testing::Test {
public:
    static constexpr int WIDTH = 128;
    static constexpr int HEIGHT = 96;

    void SetUp() override;
    void TearDown() override;

    // The RGBA bytes of one window pixel, read back with glReadPixels.
    static std::vector<unsigned char> pixel(int x, int y);
    // The RGBA bytes of the whole window, bottom row first.
    static std::vector<unsigned char> windowPixels();
    // How many RGBA pixels differ between two pictures (all of them when
    // the sizes differ).
    static int differingPixels(const std::vector<unsigned char>& a,
                               const std::vector<unsigned char>& b);
    // Whether the window pixel is (about) white or black.
    static bool isWhite(int x, int y);
    static bool isBlack(int x, int y);

    static bool enabled(unsigned int capability);
    static int integer(unsigned int name);
    static std::vector<float> floats(unsigned int name, int count);
    // Clears colour (black), depth and stencil of the window.
    static void clearAll();
};
