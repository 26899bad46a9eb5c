#include <GL/glew.h>

#include <memory>
#include <vector>

#include "GLContextFixture.h"
#include "RecordingController.h"
#include "Render/I_CellGrid.h"
#include "Render/OGL/CellGridTexture.h"
#include "Render/OGL/Controller.h"
#include "Render/OGL/Extensions.h"

namespace {

using Bytes = std::vector<unsigned char>;

// A grid of columns x rows cells filling the window, drawn as white quads
// on black: the picture the texture has to give.
class Cells {
public:
    Cells(int columns, int rows) : columns(columns), rows(rows), cells(columns * rows, 0) {}

    void set(int x, int y, unsigned char value) { cells[y * columns + x] = value; }
    const unsigned char* data() const { return cells.data(); }

    Bytes asQuads(const std::vector<int>& marked) const
    {
        const float w = static_cast<float>(GLContextTest::WIDTH) / columns;
        const float h = static_cast<float>(GLContextTest::HEIGHT) / rows;
        std::vector<float> corners;
        for (int y = 0; y < rows; ++y) {
            for (int x = 0; x < columns; ++x) {
                bool isMarked = false;
                for (int index : marked) {
                    isMarked = isMarked || index == y * columns + x;
                }
                if (cells[y * columns + x] == 0 || isMarked) {
                    continue;
                }
                const float top = GLContextTest::HEIGHT - y * h;
                const float bottom = GLContextTest::HEIGHT - (y + 1) * h;
                const float quad[] = {x * w,       top,    (x + 1) * w, top,
                                      (x + 1) * w, bottom, x * w,       bottom};
                corners.insert(corners.end(), quad, quad + 8);
            }
        }
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT);
        glColor4ub(255, 255, 255, 255);
        glEnableClientState(GL_VERTEX_ARRAY);
        glVertexPointer(2, GL_FLOAT, 0, corners.data());
        glDrawArrays(GL_QUADS, 0, static_cast<GLsizei>(corners.size() / 2));
        glDisableClientState(GL_VERTEX_ARRAY);
        return GLContextTest::windowPixels();
    }

    int columns;
    int rows;

private:
    std::vector<unsigned char> cells;
};

Bytes asTexture(Render::I_CellGrid& grid)
{
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    grid.draw(GLContextTest::WIDTH, GLContextTest::HEIGHT);
    return GLContextTest::windowPixels();
}

} // namespace

class CellGridTextureTest : public GLContextTest {
protected:
    void SetUp() override
    {
        GLContextTest::SetUp();
        glMatrixMode(GL_PROJECTION);
        glOrtho(0, WIDTH, 0, HEIGHT, -1, 1);
        glMatrixMode(GL_MODELVIEW);
    }

    void TearDown() override
    {
        OGL::forceExtensionOff(OGL::Extension::TextureNonPowerOfTwo, false);
        GLContextTest::TearDown();
    }
};

// Cell edges on whole pixels (16 x 12 cells of 8 pixels) and on fractions
// that never meet a pixel centre (40 x 30 cells of 3.2 pixels): both ways
// give the same pixels, through a first whole upload and later partial
// ones, with and without textures of any size.
TEST_F(CellGridTextureTest, ShowsTheSamePixelsAsTheQuads)
{
    struct Case {
        int columns;
        int rows;
        bool powerOfTwoOnly;
    } cases[] = {{16, 12, false}, {40, 30, false}, {40, 30, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.columns << " x " << c.rows << (c.powerOfTwoOnly ? " power of two" : ""));
        OGL::forceExtensionOff(OGL::Extension::TextureNonPowerOfTwo, c.powerOfTwoOnly);
        Cells cells(c.columns, c.rows);
        for (int x = 0; x < c.columns; ++x) {
            for (int y = 0; y < c.rows; ++y) {
                cells.set(x, y, (x * 7 + y * 3) % 5 == 0 ? 0x31 : 0);
            }
        }
        std::unique_ptr<Render::I_CellGrid> grid(
            OGL::Controller(orthoView(WIDTH, HEIGHT)).createCellGrid(c.columns, c.rows));
        ASSERT_NE(grid, nullptr);
        grid->update(cells.data(), nullptr, 0);
        EXPECT_EQ(GLContextTest::differingPixels(asTexture(*grid), cells.asQuads({})), 0);

        // A few steps later: new trail cells, two blinking marks.
        cells.set(1, 1, 0x31);
        cells.set(c.columns - 2, c.rows - 2, 0x31);
        cells.set(3, 2, 0x31);
        const std::vector<int> marks = {1 * c.columns + 1, 2 * c.columns + 3};
        grid->update(cells.data(), marks.data(), 2);
        EXPECT_EQ(GLContextTest::differingPixels(asTexture(*grid), cells.asQuads(marks)), 0);
        grid->update(cells.data(), nullptr, 0);
        EXPECT_EQ(GLContextTest::differingPixels(asTexture(*grid), cells.asQuads({})), 0);
    }
}

TEST_F(CellGridTextureTest, LeavesTheTextureStateAsItFoundIt)
{
    std::unique_ptr<Render::I_CellGrid> grid(
        OGL::Controller(orthoView(WIDTH, HEIGHT)).createCellGrid(4, 4));
    ASSERT_NE(grid, nullptr);
    const unsigned char cells[16] = {1};
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    grid->update(cells, nullptr, 0);
    grid->draw(WIDTH, HEIGHT);
    EXPECT_FALSE(enabled(GL_TEXTURE_2D));
    EXPECT_EQ(integer(GL_TEXTURE_BINDING_2D), 0);
    EXPECT_EQ(integer(GL_UNPACK_ALIGNMENT), 4);
    GLint mode = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
    EXPECT_EQ(mode, GL_MODULATE);
}

TEST_F(CellGridTextureTest, AGridLargerThanTheLargestTextureGetsNone)
{
    OGL::Controller controller(orthoView(WIDTH, HEIGHT));
    const int largest = integer(GL_MAX_TEXTURE_SIZE);
    EXPECT_EQ(controller.createCellGrid(largest + 1, 4), nullptr);
    EXPECT_EQ(controller.createCellGrid(0, 4), nullptr);
}
