#pragma once

#include <memory>
#include <vector>

#include "Render/Abilities.h"
#include "Render/I_ClientArrayDraw.h"
#include "Render/I_CreateCellGrid.h"
#include "Render/I_CreateGlyphAtlas.h"
#include "Render/I_RenderController.h"
#include "Util/NonCopyable.h"

namespace Render {
namespace OGL {
class RenderQueue;
}
} // namespace Render

namespace OGL {

// The render controller on OpenGL 1.x plus extensions. Keeps the current
// view data and camera, each with a stack of saved copies, answers ability
// queries from the driver (with overrides from the settings), and makes
// the OpenGL vertex arrays, render buffers and pixel buffers; draws from
// client-side arrays and cell-grid pictures too. Owns its render queue.
// Every call needs the window's OpenGL context current; the constructor
// and destructor make no OpenGL call. The swap interval belongs to the
// window system, so the window layer hands the controller its function to
// set it.
class Controller : public Render::I_RenderController,
                   public Render::I_ClientArrayDraw,
                   public Render::I_CreateCellGrid,
                   public Render::I_CreateGlyphAtlas,
                   Util::NonCopyable<Controller> {
public:
    explicit Controller(Render::ViewData const& view);
    ~Controller() override;

    int getAbility(int ability) override;
    void setAbility(int ability, int value) override;

    Render::I_VertexArray* createVTCArray(int size, bool isStatic) override;
    Render::I_VertexArray* createVertexArray(int size, bool isStatic) override;
    Render::I_VertexArray* createTexturedQuadVA(Render::TexturedQuad const& quad,
                                                bool isStatic) override;
    Render::I_VertexArray* createTexturedQuadVA(Render::TexturedQuadZTx const& quad,
                                                bool isStatic) override;
    Render::I_VertexArray* createAttrArray(int size, bool isStatic) override;
    Render::I_VertexArray* createSpriteShaderArray(int size, bool isStatic) override;
    Render::I_RenderBuffer* createRenderBuffer(int width, int height,
                                               Render::I_RenderBuffer::RBType kind,
                                               MatSys::I_Texture* texture, int layer) override;
    Render::I_PixelBuffer* createPixelBuffer(int size, Render::BufferDataType usage) override;
    // A texture of one byte per cell (OGL::CellGridTexture); null when the
    // driver's largest texture is smaller.
    Render::I_CellGrid* createCellGrid(int width, int height) override;
    // An alpha texture (OGL::GlyphAtlasTexture); null when the driver
    // takes no texture of that size.
    Render::I_GlyphAtlas* createGlyphAtlas(int width, int height) override;

    void doClear(Util::RGBA const& color) override;
    void setColor(Util::RGBA const& color) override;
    void setCulling(bool on) override;
    void setBlending(bool on) override;
    void setDepthTest(bool on) override;
    void setDepthMask(bool on) override;
    void setColorMask(bool on) override;
    void setColorMask(bool red, bool green, bool blue, bool alpha) override;
    void setAlphaTest(bool on) override;
    void setAlphaFunc(float reference, bool greater) override;
    void setFog(bool on) override;
    void setFogParams(float start, float end, Util::RGBA const& color) override;
    void beginClipDraw(bool clear) override;
    void endClipDraw() override;
    void setClipping(bool on, int level) override;

    void init() override;
    void pushViewData() override;
    void popViewData() override;
    void setViewData(Render::ViewData const& data) override;
    Render::ViewData const& getViewData() const override;
    void pushCamera() override;
    void popCamera() override;
    void setCamera(MathStuff::Orientation<float> const& camera) override;
    MathStuff::Orientation<float> const& getCamera() const override;
    MathStuff::Vector3<float> projectPoint(MathStuff::Vector3<float> point) const override;
    MathStuff::Vector3<float> getPickRay(int x, int y) const override;
    void blit(int srcX0, int srcY0, int srcX1, int srcY1, int dstX0, int dstY0, int dstX1,
              int dstY1) override;
    void drawArrays(Render::RenderType kind, int first, unsigned int count) override;
    void drawElements(Render::RenderType kind, unsigned int count, unsigned int* indices) override;
    Render::I_RenderQueue* getRenderQueue() override;
    void copyScreen(unsigned char* destination, int x, int y, int width, int height) override;
    void showScreen(unsigned char* source, int x, int y, int width, int height) override;

    // glEnableClientState(GL_VERTEX_ARRAY), glVertexPointer, drawArrays
    // from 0, glDisableClientState.
    void drawClientArray(Render::RenderType kind, const float* xyz, unsigned int count) override;

    // The window system's swap-interval call (1 waits for the vertical
    // retrace, 0 does not); without one, setVsync changes nothing.
    using SwapIntervalFunction = void (*)(int interval);
    void setSwapIntervalFunction(SwapIntervalFunction function) { m_swapInterval = function; }
    // Switch the swap interval from the view data's vsync (0 off, else on).
    virtual void setVsync();
    // glViewport of the view data's rectangle.
    virtual void setViewport() const;

private:
    int hardwareAbility(int ability) const;
    void applyProjection(Render::ViewData const& requested);

    Render::ViewData m_viewData;
    std::vector<Render::ViewData> m_viewDataStack;
    std::unique_ptr<Render::OGL::RenderQueue> m_renderQueue;
    std::vector<MathStuff::Orientation<float>> m_cameraStack;
    MathStuff::Orientation<float> m_camera;
    bool m_overrideSet[Render::ABILITY_COUNT];
    int m_overrideValue[Render::ABILITY_COUNT];
    SwapIntervalFunction m_swapInterval = nullptr;
};

} // namespace OGL
