#include "Render/RenderHelper.h"

#include "Render/I_RenderController.h"
#include "Render/ViewBoxHelper.h"

namespace GameHelper {

RenderHelper::RenderHelper(Render::I_RenderController* controller) : m_controller(controller) {}

RenderHelper::~RenderHelper() {}

void RenderHelper::set2D(ViewBoxHelper const* box) const
{
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    if (box == nullptr) {
        return;
    }
    box->getRect(x, y, width, height);
    set2D(x, y, width, height, false);
}

void RenderHelper::set2D(int width, int height, bool centred) const
{
    set2D(0, 0, width, height, centred);
}

void RenderHelper::set2D(int x, int y, int width, int height, bool centred) const
{
    Render::ViewData view;
    view.minZ = -1.0f;
    view.maxZ = 1.0f;
    view.fov = 0;
    view.x = x;
    view.y = y;
    view.width = width;
    view.height = height;
    view.zoomX = 1.0f;
    view.zoomY = 1.0f;
    view.vsync = 1;
    view.is3D = false;
    m_controller->setViewData(view);

    // The halves are integers on purpose: an odd width centres on a whole
    // pixel, so lines one pixel wide stay sharp.
    MathStuff::Orientation<float> camera;
    if (centred) {
        camera.position = MathStuff::Vector3<float>(static_cast<float>(-(width / 2)),
                                                    static_cast<float>(-(height / 2)), 0);
    }
    camera.direction = MathStuff::Vector3<float>(0, 0, -1);
    camera.up = MathStuff::Vector3<float>(0, 1, 0);
    camera.scale = MathStuff::Vector3<float>(1, 1, 1);
    m_controller->setCamera(camera);
}

} // namespace GameHelper
