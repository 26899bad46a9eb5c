#pragma once

#include "Math/Vector3.h"

namespace MathStuff {

// A 4x4 matrix as sixteen values in column-major order, the layout that
// OpenGL's matrix calls take: element (row r, column c) is m[c * 4 + r].
template <typename T>
struct Matrix4x4 {
    T m[16];

    // The zero matrix.
    constexpr Matrix4x4() : m{} {}

    static constexpr Matrix4x4 identity()
    {
        Matrix4x4 result;
        result.m[0] = result.m[5] = result.m[10] = result.m[15] = 1;
        return result;
    }

    static constexpr Matrix4x4 translation(const Vector3<T>& offset)
    {
        Matrix4x4 result = identity();
        result.setColumn(3, offset, 1);
        return result;
    }

    constexpr void setColumn(int column, const Vector3<T>& v, T w)
    {
        m[column * 4 + 0] = v.x;
        m[column * 4 + 1] = v.y;
        m[column * 4 + 2] = v.z;
        m[column * 4 + 3] = w;
    }

    constexpr T at(int row, int column) const { return m[column * 4 + row]; }
    constexpr const T* data() const { return m; }
};

} // namespace MathStuff
