#pragma once

#include <vector>

#include "Render/Abilities.h"
#include "Render/I_ClientArrayDraw.h"
#include "Render/I_CreateCellGrid.h"
#include "Render/I_CreateGlyphAtlas.h"
#include "Render/I_RenderController.h"

namespace Game {

// The render controller of a game run without a display (see HeadlessApp):
// it draws nothing and reports no hardware ability (every ability reads 0
// unless set with setAbility, as a settings override does). It keeps the
// view data and the camera with their stacks, so code that sets and reads
// them back works as on the real controller. Makes no vertex arrays or
// buffers (null, as when none could be made) and has no render queue (null).
// On request it keeps what was drawn from client-side arrays since the
// last clear, so tests can see a view's geometry without a window. Owns
// those copies. Cell-grid and glyph pictures are kept in memory
// (Render::CellGridImage, Render::GlyphAtlasImage).
class HeadlessRenderController : public Render::I_RenderController,
                                 public Render::I_ClientArrayDraw,
                                 public Render::I_CreateCellGrid,
                                 public Render::I_CreateGlyphAtlas {
public:
    // One client-array draw: its kind and a copy of its vertices.
    struct ClientDraw {
        Render::RenderType kind;
        std::vector<float> xyz;
    };

    explicit HeadlessRenderController(Render::ViewData const& view);
    ~HeadlessRenderController() override;

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
    // A Render::CellGridImage; null for a side below 1.
    Render::I_CellGrid* createCellGrid(int width, int height) override;
    // A Render::GlyphAtlasImage, so words are measured and packed as on a
    // display; null for a side below 1.
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
    // Black: there is no screen to read.
    void copyScreen(unsigned char* destination, int x, int y, int width, int height) override;
    void showScreen(unsigned char* source, int x, int y, int width, int height) override;

    // Keeps a copy only when keeping draws is on; doClear forgets them.
    void drawClientArray(Render::RenderType kind, const float* xyz, unsigned int count) override;
    // Off by default: a game run headless then copies nothing per frame.
    void keepClientDraws(bool on) { keepDraws = on; }
    // The client-array draws since the last doClear, in order.
    const std::vector<ClientDraw>& getClientDraws() const { return clientDraws; }

private:
    Render::ViewData viewData;
    std::vector<Render::ViewData> viewDataStack;
    MathStuff::Orientation<float> camera;
    std::vector<MathStuff::Orientation<float>> cameraStack;
    bool abilitySet[Render::ABILITY_COUNT];
    int abilityValue[Render::ABILITY_COUNT];
    bool keepDraws = false;
    std::vector<ClientDraw> clientDraws;
};

} // namespace Game
