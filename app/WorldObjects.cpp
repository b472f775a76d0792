#include "app/WorldObjects.h"

Starfield g_Starfield;
Camera g_Camera;
TileMap g_Map;
PlayerShip g_PlayerShip;
ParticleEmitter g_Exhaust;
BulletPool g_Bullets;
ShipFleet g_Fleet;
