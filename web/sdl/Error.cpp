// SDL's error text for the SDL calls that this folder answers itself
// (Emscripten's own SDL keeps no text: its SDL_GetError is always generic).
#include <SDL.h>

#include <cstdarg>
#include <cstdio>

namespace {

char lastError[512];

}  // namespace

extern "C" {

void SDL_SetError(const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    vsnprintf(lastError, sizeof lastError, format, arguments);
    va_end(arguments);
}

const char* SDL_GetError(void)
{
    return lastError;
}

}  // extern "C"
