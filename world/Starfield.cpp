#include "world/Starfield.h"

#include <GL/gl.h>
#include <cstdlib>

bool Starfield::Init(int32_t mode, uint32_t seed)
{
    if (mode != 1)
        return false;
    srand(seed);
    for (int i = 0; i < kStarCount; ++i) {
        float* colour = colours[i];
        float* position = positions[i];
        colour[0] = static_cast<float>((rand() % 10) / 20.0 + 0.5);
        colour[1] = 0.7f;
        colour[2] = static_cast<float>((rand() % 10) / 20.0 + 0.5);
        position[0] = static_cast<float>((rand() % 10500) / 10.0 - 13.0);
        position[1] = static_cast<float>((rand() % 10500) / 10.0 - 13.0);
        position[2] = static_cast<float>(-((rand() % 1000) / 10.0));
    }
    return true;
}

bool Starfield::Draw()
{
    glPointSize(1.0f);
    glBindTexture(GL_TEXTURE_2D, 0);
    glBegin(GL_POINTS);
    for (int i = 0; i < kStarCount; ++i) {
        glColor3fv(colours[i]);
        glVertex3fv(positions[i]);
    }
    glEnd();
    return true;
}
