#include <gtest/gtest.h>

#include "Render/Abilities.h"
#include "Render/I_PixelBuffer.h"
#include "Render/I_RenderController.h"
#include "Render/I_RenderQueue.h"
#include "Render/I_Texture.h"
#include "Render/I_VertexArray.h"
#include "Render/Material.h"
#include "Render/Mesh.h"
#include "Render/TexturedQuad.h"
#include "Render/TexturedQuadZTx.h"
#include "Render/ViewData.h"
#include "Util/RGBA.h"

TEST(ViewData, DefaultHoldsEveryKeepValueAndPerspective)
{
    const Render::ViewData view;
    EXPECT_EQ(view.minZ, 0);
    EXPECT_EQ(view.maxZ, 0);
    EXPECT_EQ(view.fov, 0);
    EXPECT_EQ(view.x, -1);
    EXPECT_EQ(view.y, -1);
    EXPECT_EQ(view.width, 0);
    EXPECT_EQ(view.height, 0);
    EXPECT_EQ(view.zoomX, 0);
    EXPECT_EQ(view.zoomY, 0);
    EXPECT_EQ(view.vsync, -1);
    EXPECT_TRUE(view.is3D);
}

TEST(RGBA, ComponentsBecomeFractionsOf255)
{
    float out[4];
    Util::RGBA(255, 0, 51, 128).toFloats(out);
    EXPECT_EQ(out[0], 1.0f);
    EXPECT_EQ(out[1], 0.0f);
    EXPECT_FLOAT_EQ(out[2], 0.2f);
    EXPECT_FLOAT_EQ(out[3], 128 / 255.0f);
    EXPECT_EQ(Util::RGBA(), Util::RGBA(0, 0, 0, 0));
    EXPECT_EQ(Util::RGBA(1, 2, 3).a, 255);
}
