#include <GL/glew.h>

#include <climits>

#include "GLContextFixture.h"
#include "RecordingController.h"
#include "Render/RenderHelper.h"

// Two overlapping clip rectangles along a row at y = 30 give stencil
// counts 0 (x 5), 1 (x 20), 2 (x 40), 1 (x 60), 0 (x 100).
class Clipping : public GLContextTest {
protected:
    void SetUp() override
    {
        GLContextTest::SetUp();
        GameHelper::RenderHelper(&controller).set2D(WIDTH, HEIGHT, false);
    }

    void drawClipShapes()
    {
        controller.beginClipDraw(true);
        glRectf(10, 10, 50, 50);
        controller.endClipDraw();
        // Not cleared: the second shape counts on top of the first.
        controller.beginClipDraw(false);
        glRectf(30, 10, 70, 50);
        controller.endClipDraw();
    }

    RecordingController controller{orthoView(WIDTH, HEIGHT)};
    const int columns[5] = {5, 20, 40, 60, 100};
};

TEST_F(Clipping, ClipShapesReachOnlyTheStencilBuffer)
{
    drawClipShapes();
    for (int x : columns) {
        SCOPED_TRACE(x);
        EXPECT_TRUE(isBlack(x, 30));
        GLubyte stencil = 0;
        glReadPixels(x, 30, 1, 1, GL_STENCIL_INDEX, GL_UNSIGNED_BYTE, &stencil);
        EXPECT_EQ(stencil, (x == 40) ? 2 : (x == 20 || x == 60) ? 1 : 0);
    }
    EXPECT_FALSE(enabled(GL_STENCIL_TEST));
    EXPECT_EQ(integer(GL_STENCIL_FAIL), GL_KEEP);
    EXPECT_EQ(integer(GL_STENCIL_PASS_DEPTH_PASS), GL_KEEP);
}

TEST_F(Clipping, LevelsRestrictDrawingToTheirStencilCounts)
{
    const struct {
        int level;
        bool drawn[5];
    } cases[] = {
        {0, {true, false, false, false, true}},  {1, {false, true, false, true, false}},
        {2, {false, false, true, false, false}}, {-1, {false, true, true, true, false}},
        {-2, {true, false, true, false, true}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.level);
        clearAll();
        drawClipShapes();
        controller.setClipping(true, c.level);
        EXPECT_TRUE(enabled(GL_STENCIL_TEST));
        EXPECT_EQ(integer(GL_STENCIL_FUNC), c.level >= 0 ? GL_EQUAL : GL_NOTEQUAL);
        EXPECT_EQ(integer(GL_STENCIL_VALUE_MASK) & 0xFF, 0xFF);
        glRectf(0, 0, WIDTH, HEIGHT);
        controller.setClipping(false, 0);
        EXPECT_FALSE(enabled(GL_STENCIL_TEST));
        for (int i = 0; i < 5; ++i) {
            SCOPED_TRACE(columns[i]);
            EXPECT_EQ(isWhite(columns[i], 30), c.drawn[i]);
        }
    }
}

TEST_F(Clipping, ExtremeNegativeLevelDoesNotOverflow)
{
    controller.setClipping(true, INT_MIN);
    EXPECT_EQ(integer(GL_STENCIL_FUNC), GL_NOTEQUAL);
    EXPECT_EQ(integer(GL_STENCIL_REF), 255) << "-INT_MIN - 1 is INT_MAX, clamped by OpenGL";
}
