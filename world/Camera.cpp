#include "world/Camera.h"

#include <GL/gl.h>

bool Camera::SetPosition(float newX, float newY)
{
    x = newX;
    y = newY;
    return true;
}

bool Camera::SetDistance(float z)
{
    distance = z;
    return true;
}

bool Camera::Apply()
{
    glTranslatef(-x, -y, -distance);
    return true;
}
