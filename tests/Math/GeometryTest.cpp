#include <gtest/gtest.h>

#include "Math/Matrix4x4.h"
#include "Math/Vector3.h"

using MathStuff::Matrix4x4;
using MathStuff::Vector3;

TEST(Vector3, CrossProductIsRightHanded)
{
    const Vector3<float> x(1, 0, 0), y(0, 1, 0), z(0, 0, 1);
    EXPECT_EQ(MathStuff::cross(x, y), z);
    EXPECT_EQ(MathStuff::cross(y, z), x);
    EXPECT_EQ(MathStuff::cross(z, x), y);
    EXPECT_EQ(MathStuff::cross(y, x), -z);
    EXPECT_EQ(MathStuff::cross(Vector3<float>(2, 3, 4), Vector3<float>(5, 6, 7)),
              Vector3<float>(-3, 6, -3));
}

TEST(Matrix4x4, IsColumnMajorWithTranslationInTheLastColumn)
{
    const Matrix4x4<float> t = Matrix4x4<float>::translation(Vector3<float>(7, 8, 9));
    const float expected[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 7, 8, 9, 1};
    for (int i = 0; i < 16; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(t.data()[i], expected[i]);
    }
    EXPECT_EQ(t.at(0, 3), 7);
    EXPECT_EQ(t.at(3, 0), 0);
}
