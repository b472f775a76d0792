#include "app/FrameLoop.h"

#include <SDL.h>
#include <GL/gl.h>
#include <cstdio>

#include "app/FrameClock.h"
#include "app/GameState.h"
#include "app/Input.h"
#include "app/Quit.h"
#include "app/ViewWindow.h"
#include "app/WorldObjects.h"
#include "flight/CollideShip.h"
#include "flight/ExhaustVelocity.h"
#include "flight/UpdateShip.h"

void UpdateWorld(uint32_t elapsedMs)
{
    CollideShip();
    UpdateShip(elapsedMs);
    g_Bullets.Update(elapsedMs);
    g_Fleet.Update(elapsedMs);
    g_Camera.SetPosition(g_ShipX, g_ShipY);
    g_Exhaust.Update(elapsedMs);
    g_Exhaust.SetPosition(g_ShipX, g_ShipY);
    float vx = 0.0f;
    float vy = 0.0f;
    ExhaustVelocity(g_ShipVelX, g_ShipVelY, g_ShipThrust, g_ShipHeading, &vx, &vy);
    g_Exhaust.SetVelocity(vx, vy);
    g_PlayerShip.SetPosition(g_ShipX, g_ShipY);
    g_PlayerShip.SetAngle(g_ShipHeading);
}

void DrawScene()
{
    glClear(GL_COLOR_BUFFER_BIT);
    glLoadIdentity();
    g_Camera.Apply();
    g_Starfield.Draw();
    const ViewWindow window = ComputeViewWindow(g_ShipX, g_ShipY, g_ScreenWidth, g_ScreenHeight);
    g_Map.DrawWindow(window.x0, window.y0, window.w, window.h);
    g_Exhaust.Draw();
    g_Bullets.Draw();
    g_Fleet.Draw();
    g_PlayerShip.Draw();
}

void RunFrame(uint32_t elapsedMs)
{
    UpdateWorld(elapsedMs);
    PollInput();
    DrawScene();
    SDL_GL_SwapBuffers();
}

int RunFrameLoop()
{
    // Kept on purpose: from 0, so the first frame's elapsed time includes the load.
    uint32_t previous = 0;
    uint32_t current = 0;
    while (!g_Quit) {
        previous = current;
        current = SDL_GetTicks();
        RunFrame(ElapsedMs(previous, current));
    }
    if (glGetError() == GL_NO_ERROR)
        Quit(0);
    printf("There was an OpenGL error\n");
    // SDL 1.2 on this platform registers no SDL_Quit at exit: restore the
    // desktop mode here before main returns.
    SDL_Quit();
    return 1;
}
