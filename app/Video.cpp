#include "app/Video.h"

#include <SDL.h>
#include <GL/gl.h>
#include <cstdio>

#include "app/GameState.h"

bool InitVideo()
{
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) == -1) {
        printf("SDL_Init(): %s\n", SDL_GetError());
        return false;
    }
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);

    g_Screen = SDL_SetVideoMode(g_ScreenWidth, g_ScreenHeight, g_BitsPerPixel,
                                SDL_FULLSCREEN | SDL_OPENGL);
    if (g_Screen == nullptr) {
        printf("SDL_SetVideoMode(): %s\n", SDL_GetError());
        return false;
    }
    SDL_ShowCursor(SDL_DISABLE);
    return InitGL();
}

bool InitGL()
{
    glEnable(GL_POINT_SMOOTH);
    glEnable(GL_POLYGON_SMOOTH);
    glEnable(GL_LINE_SMOOTH);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glPointSize(1.0f);
    glClearColor(0.0f, 0.0f, 0.05f, 0.0f);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glViewport(0, 0, g_ScreenWidth, g_ScreenHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const double aspect = static_cast<double>(g_ScreenHeight) / static_cast<double>(g_ScreenWidth);
    glFrustum(-1.0, 1.0, -aspect, aspect, 1.0, 1000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    return true;
}
