#include "actors/SpriteQuad.h"

#include <GL/gl.h>

void DrawSpriteQuad(const TexRect& rect, float x0, float y0, float x1, float y1)
{
    glBegin(GL_QUADS);
    glTexCoord2f(rect.left, rect.bottom);
    glVertex3f(x0, y0, 0.0f);
    glTexCoord2f(rect.right, rect.bottom);
    glVertex3f(x1, y0, 0.0f);
    glTexCoord2f(rect.right, rect.top);
    glVertex3f(x1, y1, 0.0f);
    glTexCoord2f(rect.left, rect.top);
    glVertex3f(x0, y1, 0.0f);
    glEnd();
}
