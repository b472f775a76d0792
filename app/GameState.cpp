#include "app/GameState.h"

int32_t g_ScreenWidth;
int32_t g_ScreenHeight;
int32_t g_BitsPerPixel;
SDL_Surface* g_Screen;

bool g_Quit;
bool g_KeyUp;
bool g_KeyDown;
bool g_KeyLeft;
bool g_KeyRight;
bool g_KeyFire;

float g_ShipX;
float g_ShipY;
float g_ShipVelX;
float g_ShipVelY;
float g_ShipHeading;
float g_ShipThrust;
int32_t g_FireCounter;

float g_BounceFactor;
float g_ShipHalfSize;
float g_CameraDistance;

void ResetGameState()
{
    g_BitsPerPixel = 32;
    g_CameraDistance = static_cast<float>(g_ScreenWidth / 32.0);
    g_BounceFactor = 0.5f;
    g_ShipHalfSize = 0.9f;

    g_KeyUp = false;
    g_KeyDown = false;
    g_KeyLeft = false;
    g_KeyRight = false;
    g_Quit = false;

    g_FireCounter = 0;

    g_ShipX = 512.0f;
    g_ShipY = 512.0f;
    g_ShipVelX = 0.0f;
    g_ShipVelY = 0.0f;
    g_ShipHeading = 0.0f;
    g_ShipThrust = 0.0f;
}
