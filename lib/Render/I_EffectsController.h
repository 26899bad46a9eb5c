#pragma once

namespace Util {
struct RGBA;
}

namespace Render {

// The render state switches. Each call takes effect at once.
class I_EffectsController {
public:
    virtual ~I_EffectsController() {}

    // Clear colour and depth, the colour to the given one.
    virtual void doClear(Util::RGBA const& color) = 0;
    // The current drawing colour.
    virtual void setColor(Util::RGBA const& color) = 0;
    virtual void setCulling(bool on) = 0;
    // Alpha blending together with the alpha test.
    virtual void setBlending(bool on) = 0;
    virtual void setDepthTest(bool on) = 0;
    // Depth writes on or off.
    virtual void setDepthMask(bool on) = 0;
    // All four colour channels alike.
    virtual void setColorMask(bool on) = 0;
    virtual void setColorMask(bool red, bool green, bool blue, bool alpha) = 0;
    virtual void setAlphaTest(bool on) = 0;
    // Fragments pass when their alpha is greater (true) or less (false)
    // than the reference.
    virtual void setAlphaFunc(float reference, bool greater) = 0;
    virtual void setFog(bool on) = 0;
    // Linear fog from start to end, percentages of the far clipping
    // distance, in the given colour.
    virtual void setFogParams(float start, float end, Util::RGBA const& color) = 0;
    // What is drawn from now on marks the clip area instead of the screen;
    // clear forgets the clip area marked before.
    virtual void beginClipDraw(bool clear) = 0;
    // Back to normal drawing.
    virtual void endClipDraw() = 0;
    // Restrict drawing to the marked clip area: level 0 or more draws where
    // exactly that many clip shapes overlap, level -n where the count is
    // not n - 1 (so -1 draws wherever any clip shape was drawn).
    virtual void setClipping(bool on, int level) = 0;
};

} // namespace Render
