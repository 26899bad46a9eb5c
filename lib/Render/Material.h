#pragma once

namespace MatSys {

// A surface description that is made current around the drawing of a mesh.
// Materials are made and owned outside the render code.
class Material {
public:
    virtual ~Material() {}

    // Make the material current before drawing, and end it afterwards.
    virtual void begin() = 0;
    virtual void end() = 0;
};

} // namespace MatSys
