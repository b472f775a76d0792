#include "actors/ShipFleet.h"

#include <SDL.h>
#include <GL/gl.h>

#include "actors/ElapsedSeconds.h"
#include "actors/SpriteBitmap.h"
#include "actors/SpriteQuad.h"
#include "world/TextureUpload.h"

bool ShipFleet::Reset()
{
    texture = 0;
    for (FleetShip& ship : ships)
        ship.kind = 0;
    return true;
}

bool ShipFleet::LoadTexture(const char* path)
{
    SDL_Surface* bitmap = LoadSpriteBitmap(path, 288, 36);
    if (bitmap == nullptr)
        return false;
    TexRect sheet;
    texture = UploadSurfaceTexture(bitmap, &sheet);
    SDL_FreeSurface(bitmap);
    const float w = (sheet.right - sheet.left) / static_cast<float>(FleetFrames);
    for (uint32_t k = 0; k < FleetFrames; ++k) {
        frames[k].top = sheet.top;
        frames[k].bottom = sheet.bottom;
        frames[k].left = static_cast<float>(k) * w;
        frames[k].right = static_cast<float>(k + 1) * w;
    }
    return true;
}

bool ShipFleet::Add(const FleetShip& ship, uint32_t& index)
{
    for (uint32_t i = 0; i < MaxFleetShips; ++i) {
        if (IsFree(ships[i])) {
            ships[i] = ship;
            index = i;
            return true;
        }
    }
    index = 0;
    return false;
}

bool ShipFleet::Remove(uint32_t index)
{
    if (index >= MaxFleetShips)
        return false;
    ships[index].kind = 0;
    return true;
}

bool ShipFleet::Set(uint32_t index, const FleetShip& ship)
{
    if (index >= MaxFleetShips)
        return false;
    ships[index] = ship;
    return true;
}

bool ShipFleet::IsFree(const FleetShip& ship) const
{
    return ship.kind == 0;
}

bool ShipFleet::Update(uint32_t elapsedMs)
{
    const float dt = ElapsedSeconds(elapsedMs);
    for (FleetShip& ship : ships) {
        if (IsFree(ship))
            continue;
        ship.x += dt * ship.vx;
        ship.y += dt * ship.vy;
    }
    return true;
}

bool ShipFleet::Draw()
{
    glEnable(GL_BLEND);
    glColor3f(1.0f, 1.0f, 1.0f);
    glBindTexture(GL_TEXTURE_2D, texture);
    for (const FleetShip& ship : ships) {
        if (ship.kind < 1 || ship.kind > static_cast<int32_t>(FleetFrames))
            continue;
        glPushMatrix();
        glTranslatef(ship.x, ship.y, 0.0f);
        glRotatef(ship.angle, 0.0f, 0.0f, -1.0f);
        DrawSpriteQuad(frames[ship.kind - 1], -1.0f, -1.0f, 1.0f, 1.0f);
        glPopMatrix();
    }
    glDisable(GL_BLEND);
    return true;
}
