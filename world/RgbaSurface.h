#pragma once

struct SDL_Surface;

// A 32-bit software surface whose pixels lie in memory as the bytes
// R, G, B, A on any host, as GL_RGBA with GL_UNSIGNED_BYTE reads them.
// Null when SDL cannot make it.
SDL_Surface* CreateRgbaSurface(int width, int height);
