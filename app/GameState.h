// The shared game state: plain globals read and written by the shell,
// the input handler, the flight model and the tile collision.
#pragma once

#include <cstdint>

struct SDL_Surface;

extern int32_t g_ScreenWidth;
extern int32_t g_ScreenHeight;
extern int32_t g_BitsPerPixel;
extern SDL_Surface* g_Screen;

extern bool g_Quit;
extern bool g_KeyUp;
extern bool g_KeyDown;
extern bool g_KeyLeft;
extern bool g_KeyRight;
extern bool g_KeyFire;

extern float g_ShipX;
extern float g_ShipY;
extern float g_ShipVelX;
extern float g_ShipVelY;
extern float g_ShipHeading;
extern float g_ShipThrust;
extern int32_t g_FireCounter;

extern float g_BounceFactor;
extern float g_ShipHalfSize;
extern float g_CameraDistance;

// Gives every variable but the screen size, g_Screen and g_KeyFire its
// start value. Needs g_ScreenWidth, from which the camera distance follows.
void ResetGameState();
