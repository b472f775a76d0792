#include "TilesetFile.h"

#include <SDL.h>

#include "AtomicFile.h"
#include "world/BmpFile.h"
#include "world/LevelRecord.h"
#include "world/LevelShape.h"

bool ReadTileset(const std::string& path, std::string* bytes, InputError* error)
{
    if (!ReadWholeFile(path, bytes, error))
        return false;
    if (bytes->size() < 6 || (*bytes)[0] != 'B' || (*bytes)[1] != 'M') {
        error->message = "not a BMP file";
        return false;
    }
    const uint32_t bfSize = ReadLittleEndian32(reinterpret_cast<const unsigned char*>(bytes->data()) + 2);
    if (bfSize != bytes->size()) {
        error->message = "the BMP header's file size (" + std::to_string(bfSize) + ") is not the file's length (" +
                         std::to_string(bytes->size()) + "); is it a level already?";
        return false;
    }
    const char* reason = nullptr;
    if (!CheckBmpHeaders(reinterpret_cast<const unsigned char*>(bytes->data()), bytes->size(), &reason)) {
        error->message = reason;
        return false;
    }
    SDL_Surface* bitmap = SDL_LoadBMP_RW(SDL_RWFromConstMem(bytes->data(), static_cast<int>(bytes->size())), 1);
    if (bitmap == nullptr) {
        error->message = std::string("SDL cannot read this BMP: ") + SDL_GetError();
        return false;
    }
    const int width = bitmap->w;
    const int height = bitmap->h;
    SDL_FreeSurface(bitmap);
    if (width != kTilesetWidth || height != kTilesetHeight) {
        error->message = "the tileset is " + std::to_string(width) + " x " + std::to_string(height) +
                         " pixels, not 304 x 160 (19 x 10 tiles of 16 x 16)";
        return false;
    }
    return true;
}
