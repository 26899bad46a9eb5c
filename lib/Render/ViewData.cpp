#include "Render/ViewData.h"

namespace Render {

ViewData::ViewData()
    : minZ(0), maxZ(0), fov(0), x(-1), y(-1), width(0), height(0), zoomX(0), zoomY(0), vsync(-1),
      is3D(true)
{
}

} // namespace Render
