#include "gl/Matrix.h"

#include <cmath>

Matrix Matrix::Identity()
{
    return Matrix{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};
}

Matrix Matrix::Translation(float x, float y, float z)
{
    Matrix t = Identity();
    t.m[12] = x;
    t.m[13] = y;
    t.m[14] = z;
    return t;
}

Matrix Matrix::Rotation(float degrees, float x, float y, float z)
{
    const double length = std::sqrt(double(x) * x + double(y) * y + double(z) * z);
    if (length == 0.0)
        return Identity();
    const double ux = x / length, uy = y / length, uz = z / length;
    const double radians = degrees * M_PI / 180.0;
    const double c = std::cos(radians), s = std::sin(radians), k = 1.0 - c;
    const double r[16] = {ux * ux * k + c,
                          uy * ux * k + uz * s,
                          ux * uz * k - uy * s,
                          0,
                          ux * uy * k - uz * s,
                          uy * uy * k + c,
                          uy * uz * k + ux * s,
                          0,
                          ux * uz * k + uy * s,
                          uy * uz * k - ux * s,
                          uz * uz * k + c,
                          0,
                          0,
                          0,
                          0,
                          1};
    Matrix rotation;
    for (int i = 0; i < 16; ++i)
        rotation.m[i] = static_cast<float>(r[i]);
    return rotation;
}

Matrix Matrix::Frustum(double left, double right, double bottom, double top, double zNear,
                       double zFar)
{
    Matrix f = {};
    f.m[0] = static_cast<float>(2 * zNear / (right - left));
    f.m[5] = static_cast<float>(2 * zNear / (top - bottom));
    f.m[8] = static_cast<float>((right + left) / (right - left));
    f.m[9] = static_cast<float>((top + bottom) / (top - bottom));
    f.m[10] = static_cast<float>(-(zFar + zNear) / (zFar - zNear));
    f.m[11] = -1.0f;
    f.m[14] = static_cast<float>(-2 * zFar * zNear / (zFar - zNear));
    return f;
}

Matrix Matrix::operator*(const Matrix& other) const
{
    Matrix product;
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k)
                sum += double(m[k * 4 + row]) * other.m[column * 4 + k];
            product.m[column * 4 + row] = static_cast<float>(sum);
        }
    }
    return product;
}

void Matrix::TransformPoint(float x, float y, float z, float out[3]) const
{
    for (int row = 0; row < 3; ++row)
        out[row] = m[row] * x + m[4 + row] * y + m[8 + row] * z + m[12 + row];
}
