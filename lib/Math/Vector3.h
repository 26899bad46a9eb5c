#pragma once

namespace MathStuff {

// A point or direction in 3D space: three components x, y, z.
template <typename T>
struct Vector3 {
    T x;
    T y;
    T z;

    constexpr Vector3() : x(0), y(0), z(0) {}
    constexpr Vector3(T x_, T y_, T z_) : x(x_), y(y_), z(z_) {}

    constexpr Vector3 operator-() const { return Vector3(-x, -y, -z); }
    constexpr Vector3 operator*(T factor) const
    {
        return Vector3(x * factor, y * factor, z * factor);
    }
    constexpr bool operator==(const Vector3& other) const
    {
        return x == other.x && y == other.y && z == other.z;
    }
    constexpr bool operator!=(const Vector3& other) const { return !(*this == other); }
};

// The cross product a × b (right-handed).
template <typename T>
constexpr Vector3<T> cross(const Vector3<T>& a, const Vector3<T>& b)
{
    return Vector3<T>(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}

} // namespace MathStuff
