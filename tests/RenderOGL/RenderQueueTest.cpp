#include <GL/glew.h>

#include "GLContextFixture.h"
#include "RecordingController.h"
#include "Render/I_RenderQueue.h"
#include "Render/OGL/VertexArray.h"
#include "Render/RenderHelper.h"
#include "TestObjects.h"

using V = MathStuff::Vector3<float>;

namespace {

// The square from (-1, -1) to (1, 1) as two triangles, after two unused
// vertices, so the mesh's first vertex counts.
TestMesh* unitSquare()
{
    const float vertices[] = {9, 9, 0, 9, 9, 0, -1, -1, 0, 1, -1, 0, 1, 1, 0,
                              -1, -1, 0, 1, 1, 0, -1, 1, 0};
    auto* array = new OGL::VertexArray(sizeof(vertices));
    array->defineVertexInfo(3, Render::I_VertexArray::DT_FLOAT);
    array->putData(vertices, sizeof(vertices), 0);
    return new TestMesh(array, 2, 6);
}

} // namespace

class RenderQueues : public GLContextTest {
protected:
    void SetUp() override
    {
        GLContextTest::SetUp();
        GameHelper::RenderHelper(&controller).set2D(WIDTH, HEIGHT, false);
    }

    RecordingController controller{orthoView(WIDTH, HEIGHT)};
    Render::I_RenderQueue* queue = controller.getRenderQueue();
    std::unique_ptr<TestMesh> mesh{unitSquare()};
};

TEST_F(RenderQueues, PlacementPositionsScalesAndTurnsTheMesh)
{
    const struct {
        const char* name;
        MathStuff::Orientation<float> placement;
        V offset;
        int insideX;
        int outsideX;
    } cases[] = {
        {"moved and scaled", {V(20, 20, 0), V(0, 0, 1), V(0, 1, 0), V(5, 5, 1)}, V(), 24, 27},
        {"offset in the scaled frame", {V(20, 20, 0), V(0, 0, 1), V(0, 1, 0), V(5, 5, 1)},
         V(2, 0, 0), 34, 24},
        {"up along +x turns the offset", {V(20, 20, 0), V(0, 0, 1), V(1, 0, 0), V(5, 5, 1)},
         V(0, 2, 0), 34, 24},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        clearAll();
        const std::vector<float> modelview = floats(GL_MODELVIEW_MATRIX, 16);
        if (c.offset == V()) {
            queue->add(c.placement, mesh.get(), nullptr);
        } else {
            queue->add(c.placement, c.offset, mesh.get(), nullptr);
        }
        EXPECT_TRUE(isWhite(c.insideX, 20));
        EXPECT_TRUE(isBlack(c.outsideX, 20));
        EXPECT_TRUE(isBlack(9, 9)) << "vertices before the first are not drawn";
        EXPECT_EQ(floats(GL_MODELVIEW_MATRIX, 16), modelview) << "the matrix is restored";
    }
}

TEST_F(RenderQueues, MaterialIsCurrentOnlyWhileTheMeshIsDrawn)
{
    TestMaterial material;
    const MathStuff::Orientation<float> placement(V(20, 20, 0), V(0, 0, 1), V(0, 1, 0),
                                                  V(5, 5, 1));
    queue->add(placement, mesh.get(), &material);
    EXPECT_EQ(material.begins, 1);
    EXPECT_EQ(material.ends, 1);
    EXPECT_EQ(pixel(20, 20), std::vector<unsigned char>({255, 0, 0, 255}));

    queue->add(placement, nullptr, &material);
    TestMesh noArray(nullptr, 0, 3);
    queue->add(placement, &noArray, &material);
    EXPECT_EQ(material.begins, 1) << "nothing to draw, no material calls";
}
