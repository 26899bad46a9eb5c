#include <GL/glew.h>

#include <cmath>

#include "GLContextFixture.h"
#include "RecordingController.h"
#include "Render/Abilities.h"
#include "Render/OGL/Extensions.h"
#include "Util/RGBA.h"

namespace {

using Floats = std::vector<float>;

void expectMatrix(const Floats& actual, const Floats& expected)
{
    ASSERT_EQ(actual.size(), 16u);
    for (int i = 0; i < 16; ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(actual[i], expected[i], 1e-5f);
    }
}

Floats ortho(double l, double r, double b, double t, double n, double f)
{
    return {float(2 / (r - l)), 0, 0, 0, 0, float(2 / (t - b)), 0, 0, 0, 0, float(-2 / (f - n)), 0,
            float(-(r + l) / (r - l)), float(-(t + b) / (t - b)), float(-(f + n) / (f - n)), 1};
}

Floats perspective(double fovy, double aspect, double n, double f)
{
    const double c = 1 / std::tan(fovy * M_PI / 360);
    return {float(c / aspect), 0, 0, 0, 0, float(c), 0, 0, 0, 0, float((f + n) / (n - f)), -1,
            0, 0, float(2 * f * n / (n - f)), 0};
}

Floats projection()
{
    return GLContextTest::floats(GL_PROJECTION_MATRIX, 16);
}

} // namespace

class ControllerState : public GLContextTest {
protected:
    RecordingController controller{orthoView(WIDTH, HEIGHT)};
};

TEST_F(ControllerState, InitAndRenderStateSwitchesReachOpenGL)
{
    Render::ViewData defaults;
    RecordingController fresh(defaults);
    glEnable(GL_LIGHTING);
    glFrontFace(GL_CW);
    fresh.init();
    EXPECT_EQ(fresh.vsyncRequests, std::vector<int>{-1}) << "vsync -1 counts as on";
    EXPECT_EQ(integer(GL_FRONT_FACE), GL_CCW);
    EXPECT_EQ(integer(GL_CULL_FACE_MODE), GL_BACK);
    EXPECT_TRUE(enabled(GL_CULL_FACE));
    EXPECT_FALSE(enabled(GL_LIGHTING));

    // Blending brings the alpha test with it, on and off.
    fresh.setBlending(true);
    EXPECT_TRUE(enabled(GL_BLEND) && enabled(GL_ALPHA_TEST));
    EXPECT_EQ(integer(GL_BLEND_SRC), GL_SRC_ALPHA);
    EXPECT_EQ(integer(GL_BLEND_DST), GL_ONE_MINUS_SRC_ALPHA);
    fresh.setBlending(false);
    EXPECT_FALSE(enabled(GL_BLEND) || enabled(GL_ALPHA_TEST));

    GLboolean mask[4];
    fresh.setColorMask(true, false, true, false);
    glGetBooleanv(GL_COLOR_WRITEMASK, mask);
    EXPECT_EQ(Floats(mask, mask + 4), Floats({1, 0, 1, 0}));
    fresh.setColorMask(false);
    glGetBooleanv(GL_COLOR_WRITEMASK, mask);
    EXPECT_EQ(Floats(mask, mask + 4), Floats({0, 0, 0, 0}));
    fresh.setDepthMask(false);
    EXPECT_EQ(integer(GL_DEPTH_WRITEMASK), GL_FALSE);
    fresh.setAlphaFunc(0.25f, false);
    EXPECT_EQ(integer(GL_ALPHA_TEST_FUNC), GL_LESS);
    EXPECT_FLOAT_EQ(floats(GL_ALPHA_TEST_REF, 1)[0], 0.25f);
}

TEST_F(ControllerState, ClearSetsColourAndDepth)
{
    glClearDepth(0.5);
    glClear(GL_DEPTH_BUFFER_BIT);
    glClearDepth(1.0);
    controller.doClear(Util::RGBA(0, 255, 0, 255));
    EXPECT_EQ(pixel(3, 3), std::vector<unsigned char>({0, 255, 0, 255}));
    float depth = 0;
    glReadPixels(3, 3, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    EXPECT_FLOAT_EQ(depth, 1.0f);
}

TEST_F(ControllerState, FogParametersArePercentagesOfTheFarPlane)
{
    Render::ViewData far;
    far.maxZ = 200;
    controller.setViewData(far);
    controller.setFogParams(10, 50, Util::RGBA(255, 0, 0, 255));
    EXPECT_FLOAT_EQ(floats(GL_FOG_START, 1)[0], 20.0f);
    EXPECT_FLOAT_EQ(floats(GL_FOG_END, 1)[0], 100.0f);
    EXPECT_EQ(integer(GL_FOG_MODE), GL_LINEAR);
    EXPECT_EQ(floats(GL_FOG_COLOR, 4), Floats({1, 0, 0, 1}));
    EXPECT_FALSE(enabled(GL_FOG)) << "parameters alone do not switch fog on";
}

TEST_F(ControllerState, AbilitiesComeFromTheDriverUnlessOverridden)
{
    const int maxRenderBuffer = integer(GL_MAX_RENDERBUFFER_SIZE);
    const int expected[] = {GLEW_ARB_shader_objects,     GLEW_ARB_texture_non_power_of_two,
                            GLEW_EXT_framebuffer_object, GLEW_EXT_framebuffer_object,
                            GLEW_ARB_vertex_buffer_object, GLEW_EXT_pixel_buffer_object,
                            GLEW_EXT_framebuffer_blit,   GLEW_ARB_texture_float,
                            integer(GL_MAX_TEXTURE_SIZE), integer(GL_MAX_3D_TEXTURE_SIZE),
                            maxRenderBuffer,             maxRenderBuffer,
                            maxRenderBuffer};
    for (int number = 0; number < Render::ABILITY_COUNT; ++number) {
        SCOPED_TRACE(number);
        EXPECT_EQ(controller.getAbility(number), expected[number]);
    }
    EXPECT_EQ(controller.getAbility(-1), -1);
    EXPECT_EQ(controller.getAbility(13), -1);

    OGL::forceExtensionOff(OGL::Extension::VertexBufferObject, true);
    EXPECT_EQ(controller.getAbility(Render::HAVE_VBOS), 0);

    controller.setAbility(Render::HAVE_VBOS, 7);
    controller.setAbility(13, 5);
    controller.setAbility(-1, 5);
    EXPECT_EQ(controller.getAbility(Render::HAVE_VBOS), 7);
    EXPECT_EQ(controller.getAbility(13), -1);
    EXPECT_EQ(controller.getAbility(Render::MAX_PBO_SIZE), maxRenderBuffer);
}

TEST_F(ControllerState, OrthographicViewMapsPixelsWithTheRequestedNearPlane)
{
    controller.setViewData(orthoView(640, 480));
    expectMatrix(projection(), ortho(0, 640, 0, 480, -1, 1));
    EXPECT_EQ(integer(GL_MATRIX_MODE), GL_PROJECTION);
    EXPECT_FALSE(enabled(GL_DEPTH_TEST));
    EXPECT_EQ(floats(GL_VIEWPORT, 4), Floats({0, 0, 640, 480}));

    // The stored near plane is 1.0, but an orthographic request without
    // one gets -1 while a perspective one uses the stored value.
    Render::ViewData view = orthoView(640, 480);
    view.minZ = 1.0f;
    view.maxZ = 100.0f;
    view.fov = 60.0f;
    controller.setViewData(view);
    Render::ViewData keep;
    keep.is3D = false;
    controller.setViewData(keep);
    expectMatrix(projection(), ortho(0, 640, 0, 480, -1, 100));
    keep.is3D = true;
    controller.setViewData(keep);
    expectMatrix(projection(), perspective(60, 640.0 / 480.0, 1, 100));
    EXPECT_TRUE(enabled(GL_DEPTH_TEST));
}

TEST_F(ControllerState, ZoomScalesTheVisibleSpan)
{
    Render::ViewData view = orthoView(100, 50);
    view.zoomX = 2;
    view.zoomY = 1.5f;
    controller.setViewData(view);
    expectMatrix(projection(), ortho(-100, 200, -25, 75, -1, 1));

    view.is3D = true;
    view.fov = 60;
    view.zoomX = 0.5f;
    view.minZ = 1;
    view.maxZ = 10;
    controller.setViewData(view);
    expectMatrix(projection(), perspective(30, 2.0, 1, 10));
}

TEST_F(ControllerState, KeepValuesLeaveStoredFieldsAndTheViewportAlone)
{
    controller.setViewData(orthoView(640, 480));
    const int viewportCalls = controller.viewportCalls;
    const std::size_t vsyncCalls = controller.vsyncRequests.size();
    glViewport(1, 2, 3, 4);

    controller.setViewData(Render::ViewData());
    const Render::ViewData& stored = controller.getViewData();
    EXPECT_EQ(stored.width, 640);
    EXPECT_EQ(stored.height, 480);
    EXPECT_EQ(stored.x, 0);
    EXPECT_EQ(stored.minZ, -1);
    EXPECT_EQ(stored.maxZ, 1);
    EXPECT_EQ(stored.zoomX, 1);
    EXPECT_EQ(stored.vsync, 0);
    EXPECT_TRUE(stored.is3D) << "is3D is always taken";
    EXPECT_EQ(controller.viewportCalls, viewportCalls);
    EXPECT_EQ(controller.vsyncRequests.size(), vsyncCalls);
    EXPECT_EQ(floats(GL_VIEWPORT, 4), Floats({1, 2, 3, 4}));

    // Any one viewport field marks the viewport as changed.
    Render::ViewData moved;
    moved.y = 7;
    controller.setViewData(moved);
    EXPECT_EQ(floats(GL_VIEWPORT, 4), Floats({0, 7, 640, 480}));

    Render::ViewData vsyncOn;
    vsyncOn.vsync = 3;
    controller.setViewData(vsyncOn);
    EXPECT_EQ(controller.vsyncRequests.back(), 3);
    EXPECT_EQ(controller.getViewData().vsync, 3);
}

TEST_F(ControllerState, PoppingViewDataRestoresAndEmptyStacksChangeNothing)
{
    controller.setViewData(orthoView(640, 480));
    controller.pushViewData();
    controller.setViewData(orthoView(100, 50));
    controller.popViewData();
    EXPECT_EQ(controller.getViewData().width, 640);
    expectMatrix(projection(), ortho(0, 640, 0, 480, -1, 1));
    EXPECT_EQ(floats(GL_VIEWPORT, 4), Floats({0, 0, 640, 480}));

    // Nothing saved any more: no OpenGL call, so a matrix loaded behind
    // the controller's back stays.
    const Floats marker = {2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 1};
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(marker.data());
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(marker.data());
    const int viewportCalls = controller.viewportCalls;
    controller.popViewData();
    controller.popCamera();
    expectMatrix(projection(), marker);
    expectMatrix(floats(GL_MODELVIEW_MATRIX, 16), marker);
    EXPECT_EQ(controller.viewportCalls, viewportCalls);
}

TEST_F(ControllerState, CameraRowsAreSideUpAndBackwardsWithoutNormalising)
{
    using V = MathStuff::Vector3<float>;
    const struct {
        const char* name;
        MathStuff::Orientation<float> camera;
        Floats modelview;
    } cases[] = {
        {"looking down -z", {V(1, 2, 3), V(0, 0, -1), V(0, 1, 0), V(5, 5, 5)},
         {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, -1, -2, -3, 1}},
        {"looking along +x", {V(1, 2, 3), V(1, 0, 0), V(0, 1, 0), V(1, 1, 1)},
         {0, 0, -1, 0, 0, 1, 0, 0, 1, 0, 0, 0, -3, -2, 1, 1}},
        {"long direction", {V(0, 0, 0), V(0, 0, -2), V(0, 1, 0), V(1, 1, 1)},
         {2, 0, 0, 0, 0, 1, 0, 0, 0, 0, 2, 0, 0, 0, 0, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        glMatrixMode(GL_PROJECTION);
        controller.setCamera(c.camera);
        EXPECT_EQ(integer(GL_MATRIX_MODE), GL_MODELVIEW);
        expectMatrix(floats(GL_MODELVIEW_MATRIX, 16), c.modelview);
        EXPECT_EQ(controller.getCamera(), c.camera);
    }

    controller.pushCamera();
    controller.setCamera(MathStuff::Orientation<float>());
    controller.popCamera();
    EXPECT_EQ(controller.getCamera(), cases[2].camera);
    expectMatrix(floats(GL_MODELVIEW_MATRIX, 16), cases[2].modelview);
}

TEST_F(ControllerState, ProjectPointAndPickRayUseTheCurrentMatrices)
{
    controller.setViewData(orthoView(WIDTH, HEIGHT));
    MathStuff::Orientation<float> camera;
    camera.position = MathStuff::Vector3<float>(1, 2, 3);
    camera.direction = MathStuff::Vector3<float>(0, 0, -1);
    controller.setCamera(camera);

    const MathStuff::Vector3<float> window =
        controller.projectPoint(MathStuff::Vector3<float>(11, 22, 3));
    EXPECT_NEAR(window.x, 10, 1e-4);
    EXPECT_NEAR(window.y, 20, 1e-4);
    EXPECT_NEAR(window.z, 0.5, 1e-4);

    // Far minus near is (0, 0, -2) here; the ray then has the camera
    // position subtracted, as it always did.
    const MathStuff::Vector3<float> ray = controller.getPickRay(10, 20);
    EXPECT_NEAR(ray.x, -1, 1e-4);
    EXPECT_NEAR(ray.y, -2, 1e-4);
    EXPECT_NEAR(ray.z, -5, 1e-4);
}
