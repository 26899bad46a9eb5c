#include <GL/glew.h>

#include <memory>

#include "GLContextFixture.h"
#include "RecordingController.h"
#include "Render/RenderHelper.h"
#include "TestObjects.h"
#include "Util/RGBA.h"

namespace {

using Bytes = std::vector<unsigned char>;
using Floats = std::vector<float>;

Floats translation(float x, float y)
{
    return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, 0, 1};
}

} // namespace

class Screen : public GLContextTest {
protected:
    RecordingController controller{orthoView(WIDTH, HEIGHT)};
    GameHelper::RenderHelper helper{&controller};
};

TEST_F(Screen, Set2DSetsViewportProjectionCameraAndSwapInterval)
{
    helper.set2D(800, 600, false);
    EXPECT_EQ(floats(GL_VIEWPORT, 4), Floats({0, 0, 800, 600}));
    const Floats projection = floats(GL_PROJECTION_MATRIX, 16);
    EXPECT_FLOAT_EQ(projection[0], 2.0f / 800);
    EXPECT_FLOAT_EQ(projection[5], 2.0f / 600);
    EXPECT_FLOAT_EQ(projection[10], -1.0f);
    EXPECT_FLOAT_EQ(projection[12], -1.0f);
    EXPECT_FLOAT_EQ(projection[13], -1.0f);
    EXPECT_EQ(floats(GL_MODELVIEW_MATRIX, 16), translation(0, 0));
    EXPECT_FALSE(enabled(GL_DEPTH_TEST));
    EXPECT_EQ(controller.vsyncRequests, std::vector<int>{1}) << "set2D always asks for vsync";

    const struct {
        int width;
        bool centred;
        float shift;
    } cases[] = {{800, true, 400}, {801, true, 400}, {801, false, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        helper.set2D(c.width, 600, c.centred);
        EXPECT_EQ(floats(GL_MODELVIEW_MATRIX, 16), translation(c.shift, c.centred ? 300 : 0));
    }
}

TEST_F(Screen, Set2DWithoutASizeKeepsTheStoredOne)
{
    helper.set2D(WIDTH, HEIGHT, false);
    glViewport(1, 1, 2, 2);
    helper.set2D(0, 0, true);
    EXPECT_EQ(floats(GL_VIEWPORT, 4), Floats({0, 0, WIDTH, HEIGHT})) << "x and y 0 still count";
    EXPECT_FLOAT_EQ(floats(GL_PROJECTION_MATRIX, 16)[0], 2.0f / WIDTH);
    EXPECT_EQ(floats(GL_MODELVIEW_MATRIX, 16), translation(0, 0)) << "half of 0 is 0";

    const TestViewBox box(10, 20, 30, 40);
    helper.set2D(&box);
    EXPECT_EQ(floats(GL_VIEWPORT, 4), Floats({10, 20, 30, 40}));
    EXPECT_EQ(floats(GL_MODELVIEW_MATRIX, 16), translation(0, 0));
    helper.set2D(static_cast<const GameHelper::ViewBoxHelper*>(nullptr));
    EXPECT_EQ(floats(GL_VIEWPORT, 4), Floats({10, 20, 30, 40}));
}

TEST_F(Screen, QuadsLandOnTheirPixelsLowerLeftOrCentred)
{
    helper.set2D(WIDTH, HEIGHT, false);
    glRectf(10, 10, 20, 20);
    EXPECT_TRUE(isWhite(15, 15));
    EXPECT_TRUE(isBlack(25, 15));
    EXPECT_TRUE(isBlack(15, 25));

    clearAll();
    helper.set2D(WIDTH, HEIGHT, true);
    glRectf(-2, -2, 2, 2);
    EXPECT_TRUE(isWhite(WIDTH / 2, HEIGHT / 2));
    EXPECT_TRUE(isWhite(WIDTH / 2 - 2, HEIGHT / 2 - 2));
    EXPECT_TRUE(isBlack(WIDTH / 2 + 3, HEIGHT / 2));
}

TEST_F(Screen, DrawCallsUseTheirKindAndSkipEmptyOrUnknownOnes)
{
    helper.set2D(WIDTH, HEIGHT, false);
    const float quad[] = {10, 10, 0, 30, 10, 0, 30, 30, 0, 10, 30, 0};
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, quad);

    controller.drawArrays(static_cast<Render::RenderType>(6), 0, 4);
    controller.drawArrays(Render::RENDER_QUADS, 0, 0);
    EXPECT_TRUE(isBlack(20, 20));
    controller.drawArrays(Render::RENDER_QUADS, 0, 4);
    EXPECT_TRUE(isWhite(20, 20));

    clearAll();
    unsigned int indices[] = {0, 1, 2};
    controller.drawElements(Render::RENDER_TRIANGLES, 3, indices);
    EXPECT_TRUE(isWhite(25, 12));
    EXPECT_TRUE(isBlack(12, 25)) << "only the lower right triangle";

    // A null index pointer reads from a bound index buffer, and is refused
    // without one.
    clearAll();
    controller.drawElements(Render::RENDER_TRIANGLES, 3, nullptr);
    EXPECT_TRUE(isBlack(25, 12));
    GLuint buffer = 0;
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffer);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, sizeof(indices), indices, GL_STATIC_DRAW);
    controller.drawElements(Render::RENDER_TRIANGLES, 3, nullptr);
    EXPECT_TRUE(isWhite(25, 12));
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    glDeleteBuffers(1, &buffer);
    glDisableClientState(GL_VERTEX_ARRAY);
}

TEST_F(Screen, ShowScreenWritesPixelsAlsoAtTheWindowEdges)
{
    const Bytes red = {255, 0, 0, 255, 255, 0, 0, 255, 255, 0, 0, 255, 255, 0, 0, 255};
    const struct {
        int x;
        int y;
    } corners[] = {{0, 0}, {WIDTH - 2, HEIGHT - 2}, {0, HEIGHT - 2}, {40, 30}};
    helper.set2D(WIDTH, HEIGHT, true);
    const Floats modelview = floats(GL_MODELVIEW_MATRIX, 16);
    Bytes source = red;
    for (const auto& c : corners) {
        SCOPED_TRACE(c.x * 1000 + c.y);
        clearAll();
        controller.showScreen(source.data(), c.x, c.y, 2, 2);
        Bytes copy(16, 0);
        controller.copyScreen(copy.data(), c.x, c.y, 2, 2);
        EXPECT_EQ(copy, red);
        EXPECT_TRUE(isBlack(c.x == 0 ? 2 : c.x - 1, c.y));
    }
    EXPECT_EQ(floats(GL_VIEWPORT, 4), Floats({0, 0, WIDTH, HEIGHT}));
    EXPECT_EQ(floats(GL_MODELVIEW_MATRIX, 16), modelview);
    EXPECT_EQ(integer(GL_MATRIX_MODE), GL_MODELVIEW);
    EXPECT_EQ(floats(GL_DEPTH_RANGE, 2), Floats({0, 1}));

    // OpenGL errors of a copy are drained; a null destination is refused.
    Bytes copy(16, 0);
    controller.copyScreen(copy.data(), 0, 0, -1, 1);
    controller.copyScreen(nullptr, 0, 0, 4, 4);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
