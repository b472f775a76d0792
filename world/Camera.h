#pragma once

// The point of the map plane that the view is centred on, and the eye's
// height above it.
class Camera {
public:
    virtual ~Camera() {}

    bool SetPosition(float x, float y);
    bool SetDistance(float z);
    // Translates the current matrix so that (x, y, 0) lies on the view axis
    // at `distance` in front of the eye.
    bool Apply();

    float y = 0.0f;
    float x = 0.0f;
    float distance = 0.0f;
};
