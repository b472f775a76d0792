#include "app/Input.h"

#include <SDL.h>

#include "app/GameState.h"

bool PollInput()
{
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        // Kept on purpose: only Esc ends the game; a window-close request is dropped.
        if (event.type != SDL_KEYDOWN && event.type != SDL_KEYUP)
            continue;
        const bool pressed = event.key.state == SDL_PRESSED;
        switch (event.key.keysym.sym) {
        case SDLK_UP:
            g_KeyUp = pressed;
            break;
        case SDLK_DOWN:
            g_KeyDown = pressed;
            break;
        case SDLK_LEFT:
            g_KeyLeft = pressed;
            break;
        case SDLK_RIGHT:
            g_KeyRight = pressed;
            break;
        case SDLK_LCTRL:
            g_KeyFire = pressed;
            break;
        case SDLK_ESCAPE:
            if (pressed)
                g_Quit = true;
            break;
        default:
            break;
        }
    }
    return true;
}
