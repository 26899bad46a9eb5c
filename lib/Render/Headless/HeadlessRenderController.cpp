#include "Render/Headless/HeadlessRenderController.h"

#include <cstring>

#include "Render/CellGridImage.h"
#include "Render/GlyphAtlasImage.h"

namespace Game {

namespace {

bool validAbility(int ability)
{
    return ability >= 0 && ability < Render::ABILITY_COUNT;
}

} // namespace

HeadlessRenderController::HeadlessRenderController(Render::ViewData const& view)
    : viewData(view), viewDataStack(), camera(), cameraStack(), abilitySet{}, abilityValue{}
{
}

HeadlessRenderController::~HeadlessRenderController() {}

int HeadlessRenderController::getAbility(int ability)
{
    // -1 outside the table, as the OpenGL controller answers.
    if (!validAbility(ability)) {
        return -1;
    }
    return abilitySet[ability] ? abilityValue[ability] : 0;
}

void HeadlessRenderController::setAbility(int ability, int value)
{
    if (validAbility(ability)) {
        abilitySet[ability] = true;
        abilityValue[ability] = value;
    }
}

Render::I_VertexArray* HeadlessRenderController::createVTCArray(int, bool)
{
    return nullptr;
}

Render::I_VertexArray* HeadlessRenderController::createVertexArray(int, bool)
{
    return nullptr;
}

Render::I_VertexArray* HeadlessRenderController::createTexturedQuadVA(Render::TexturedQuad const&,
                                                                      bool)
{
    return nullptr;
}

Render::I_VertexArray*
HeadlessRenderController::createTexturedQuadVA(Render::TexturedQuadZTx const&, bool)
{
    return nullptr;
}

Render::I_VertexArray* HeadlessRenderController::createAttrArray(int, bool)
{
    return nullptr;
}

Render::I_VertexArray* HeadlessRenderController::createSpriteShaderArray(int, bool)
{
    return nullptr;
}

Render::I_RenderBuffer* HeadlessRenderController::createRenderBuffer(int, int,
                                                                     Render::I_RenderBuffer::RBType,
                                                                     MatSys::I_Texture*, int)
{
    return nullptr;
}

Render::I_PixelBuffer* HeadlessRenderController::createPixelBuffer(int, Render::BufferDataType)
{
    return nullptr;
}

Render::I_CellGrid* HeadlessRenderController::createCellGrid(int width, int height)
{
    if (width < 1 || height < 1) {
        return nullptr;
    }
    return new Render::CellGridImage(width, height);
}

Render::I_GlyphAtlas* HeadlessRenderController::createGlyphAtlas(int width, int height)
{
    if (width < 1 || height < 1) {
        return nullptr;
    }
    return new Render::GlyphAtlasImage(width, height);
}

// A clear covers everything drawn before it.
void HeadlessRenderController::doClear(Util::RGBA const&)
{
    clientDraws.clear();
}
void HeadlessRenderController::setColor(Util::RGBA const&) {}
void HeadlessRenderController::setCulling(bool) {}
void HeadlessRenderController::setBlending(bool) {}
void HeadlessRenderController::setDepthTest(bool) {}
void HeadlessRenderController::setDepthMask(bool) {}
void HeadlessRenderController::setColorMask(bool) {}
void HeadlessRenderController::setColorMask(bool, bool, bool, bool) {}
void HeadlessRenderController::setAlphaTest(bool) {}
void HeadlessRenderController::setAlphaFunc(float, bool) {}
void HeadlessRenderController::setFog(bool) {}
void HeadlessRenderController::setFogParams(float, float, Util::RGBA const&) {}
void HeadlessRenderController::beginClipDraw(bool) {}
void HeadlessRenderController::endClipDraw() {}
void HeadlessRenderController::setClipping(bool, int) {}
void HeadlessRenderController::init() {}

void HeadlessRenderController::pushViewData()
{
    viewDataStack.push_back(viewData);
}

void HeadlessRenderController::popViewData()
{
    if (!viewDataStack.empty()) {
        viewData = viewDataStack.back();
        viewDataStack.pop_back();
    }
}

void HeadlessRenderController::setViewData(Render::ViewData const& data)
{
    viewData = data;
}

Render::ViewData const& HeadlessRenderController::getViewData() const
{
    return viewData;
}

void HeadlessRenderController::pushCamera()
{
    cameraStack.push_back(camera);
}

void HeadlessRenderController::popCamera()
{
    if (!cameraStack.empty()) {
        camera = cameraStack.back();
        cameraStack.pop_back();
    }
}

void HeadlessRenderController::setCamera(MathStuff::Orientation<float> const& newCamera)
{
    camera = newCamera;
}

MathStuff::Orientation<float> const& HeadlessRenderController::getCamera() const
{
    return camera;
}

MathStuff::Vector3<float> HeadlessRenderController::projectPoint(MathStuff::Vector3<float>) const
{
    return MathStuff::Vector3<float>(0, 0, 0);
}

MathStuff::Vector3<float> HeadlessRenderController::getPickRay(int, int) const
{
    return MathStuff::Vector3<float>(0, 0, 0);
}

void HeadlessRenderController::blit(int, int, int, int, int, int, int, int) {}
void HeadlessRenderController::drawArrays(Render::RenderType, int, unsigned int) {}
void HeadlessRenderController::drawElements(Render::RenderType, unsigned int, unsigned int*) {}

void HeadlessRenderController::drawClientArray(Render::RenderType kind, const float* xyz,
                                               unsigned int count)
{
    if (!keepDraws) {
        return;
    }
    const std::size_t floats = static_cast<std::size_t>(count) * 3;
    clientDraws.push_back(ClientDraw{kind, std::vector<float>(xyz, xyz + floats)});
}

Render::I_RenderQueue* HeadlessRenderController::getRenderQueue()
{
    return nullptr;
}

void HeadlessRenderController::copyScreen(unsigned char* destination, int, int, int width,
                                          int height)
{
    if (destination != nullptr && width > 0 && height > 0) {
        std::memset(destination, 0, static_cast<std::size_t>(width) * height * 4);
    }
}

void HeadlessRenderController::showScreen(unsigned char*, int, int, int, int) {}

} // namespace Game
