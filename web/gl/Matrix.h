#pragma once

// A 4 x 4 matrix as GL 1.1 keeps it: column-major, 16 floats, computed in
// double precision and stored in float as desktop drivers do.
struct Matrix {
    float m[16];

    static Matrix Identity();
    static Matrix Translation(float x, float y, float z);
    // A rotation by `degrees` about the axis (x, y, z), as glRotatef makes it.
    static Matrix Rotation(float degrees, float x, float y, float z);
    static Matrix Frustum(double left, double right, double bottom, double top, double zNear,
                          double zFar);

    // this × other: `other` acts first, as glMultMatrix gives it.
    Matrix operator*(const Matrix& other) const;
    // The point (x, y, z, 1) through the matrix, its w dropped: the model-view
    // matrices of GL 1.1 programs like this one keep w at 1.
    void TransformPoint(float x, float y, float z, float out[3]) const;
};
