#pragma once

#include "Math/Vector3.h"

namespace MathStuff {

// Where something is and which way it faces: position, forward direction,
// up vector and per-axis scale. Nothing here normalises the vectors.
// The default is the identity placement: at the origin, facing +z with +y up.
template <typename T>
struct Orientation {
    Vector3<T> position;
    Vector3<T> direction;
    Vector3<T> up;
    Vector3<T> scale;

    constexpr Orientation()
        : position(0, 0, 0), direction(0, 0, 1), up(0, 1, 0), scale(1, 1, 1)
    {
    }
    constexpr Orientation(const Vector3<T>& position_, const Vector3<T>& direction_,
                          const Vector3<T>& up_, const Vector3<T>& scale_)
        : position(position_), direction(direction_), up(up_), scale(scale_)
    {
    }

    constexpr bool operator==(const Orientation& other) const
    {
        return position == other.position && direction == other.direction && up == other.up &&
               scale == other.scale;
    }
    constexpr bool operator!=(const Orientation& other) const { return !(*this == other); }
};

} // namespace MathStuff
