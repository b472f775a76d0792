// The seven world objects. They are constructed before main in the order
// of their definitions and destroyed after it in reverse.
#pragma once

#include "actors/BulletPool.h"
#include "actors/ParticleEmitter.h"
#include "actors/PlayerShip.h"
#include "actors/ShipFleet.h"
#include "world/Camera.h"
#include "world/Starfield.h"
#include "world/TileMap.h"

extern Starfield g_Starfield;
extern Camera g_Camera;
extern TileMap g_Map;
extern PlayerShip g_PlayerShip;
extern ParticleEmitter g_Exhaust;
extern BulletPool g_Bullets;
extern ShipFleet g_Fleet;
