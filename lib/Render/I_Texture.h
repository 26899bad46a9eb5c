#pragma once

namespace MatSys {

// A texture as far as the render code needs one: its OpenGL name and its
// size. Textures are made and owned outside the render code.
class I_Texture {
public:
    virtual ~I_Texture() {}

    // The OpenGL texture name.
    virtual unsigned int getTextureName() const = 0;
    // Width, height and depth in texels; depth is 1 for a 2D texture.
    virtual void getSize(int& width, int& height, int& depth) const = 0;
};

} // namespace MatSys
