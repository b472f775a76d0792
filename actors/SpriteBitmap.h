#pragma once

struct SDL_Surface;

// Loads a sprite bitmap that must be exactly width x height pixels and
// makes its pure black transparent. Null, with nothing held, when the file
// cannot be read as a BMP or has another size. The caller frees the result.
SDL_Surface* LoadSpriteBitmap(const char* path, int width, int height);
