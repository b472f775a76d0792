#include "actors/PlayerShip.h"

#include <SDL.h>
#include <GL/gl.h>
#include <cmath>

#include "actors/SpriteBitmap.h"
#include "actors/SpriteQuad.h"
#include "world/TextureUpload.h"

namespace {

const float kSteppingEndsWithin = 8589934592.0f;  // 2^33

// Takes at once the further steps of 360 toward zero that keep `value` in
// its binade [2^e, 2^(e+1)): while value - 360 is still in it, each float
// step moves the value by the same amount, 360 rounded to the binade's
// spacing, so the result is the float that stepping one by one reaches.
float SkipStepsWithinBinade(float value)
{
    const float stepped = value > 0.0f ? value - 360.0f : value + 360.0f;
    const double step = std::fabs(static_cast<double>(value) - stepped);
    int exponent = 0;
    std::frexp(value, &exponent);
    const double room = std::fabs(value) - std::ldexp(1.0, exponent - 1) - 360.0;
    if (!(room >= 0.0))
        return value;
    const double steps = std::floor(room / step) + 1.0;
    return static_cast<float>(std::copysign(std::fabs(value) - steps * step, value));
}

}  // namespace

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
    angle = newAngle;
    // Beyond 2^33 taking 360 from a float gives the same float back, so the
    // stepping below would never end: the remainder stands in for it there,
    // and 0 for an infinite angle.
    if (std::fabs(angle) > kSteppingEndsWithin)
        angle = std::isinf(angle) ? 0.0f : std::fmod(angle, 360.0f);
    // Kept on purpose: stepped 360 at a time, so -0.00001 gives 360, -720 gives +0 and NaN stays
    // NaN.
    while (angle >= 360.0f)
        angle = SkipStepsWithinBinade(angle - 360.0f);
    while (angle < 0.0f)
        angle = SkipStepsWithinBinade(angle + 360.0f);
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
