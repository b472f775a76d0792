#include "actors/PlayerShip.h"

#include <SDL.h>
#include <GL/gl.h>
#include <cmath>

#include "actors/SpriteBitmap.h"
#include "actors/SpriteQuad.h"
#include "world/TextureUpload.h"

bool PlayerShip::Reset()
{
    x = 0.0f;
    y = 0.0f;
    angle = 0.0f;
    texture = 0;
    texRect = TexRect{0.0f, 0.0f, 0.0f, 0.0f};
    return true;
}

bool PlayerShip::LoadTexture(const char* path)
{
    SDL_Surface* bitmap = LoadSpriteBitmap(path, 36, 36);
    if (bitmap == nullptr)
        return false;
    texture = UploadSurfaceTexture(bitmap, &texRect);
    SDL_FreeSurface(bitmap);
    return true;
}

bool PlayerShip::SetPosition(float newX, float newY)
{
    x = newX;
    y = newY;
    return true;
}

bool PlayerShip::SetAngle(float newAngle)
{
    // Stepping by 360 alone never ends for huge or non-finite angles, since
    // a float that large does not change when 360 is taken from it. fmodf is
    // exact, and below 2^27 so is every step of 360, so taking the
    // remainder first gives the stepped result for every ordinary angle.
    if (!std::isfinite(newAngle))
        newAngle = 0.0f;
    angle = std::fmod(newAngle, 360.0f);
    while (angle >= 360.0f)
        angle -= 360.0f;
    while (angle < 0.0f)
        angle += 360.0f;
    return true;
}

bool PlayerShip::Draw()
{
    glBindTexture(GL_TEXTURE_2D, texture);
    glColor3f(1.0f, 1.0f, 1.0f);
    glEnable(GL_BLEND);
    glPushMatrix();
    glTranslatef(x, y, 0.0f);
    glRotatef(angle, 0.0f, 0.0f, -1.0f);
    DrawSpriteQuad(texRect, -1.0f, -1.0f, 1.0f, 1.0f);
    glPopMatrix();
    glDisable(GL_BLEND);
    return true;
}
