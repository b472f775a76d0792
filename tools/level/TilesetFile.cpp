#include "TilesetFile.h"

#include <SDL.h>

#include "world/BmpFile.h"
#include "world/LevelRecord.h"
#include "world/LevelShape.h"

namespace {

// The checks of a tileset's bytes; `what` names them in messages.
bool CheckTileset(const std::string& bytes, const std::string& what, InputError* error)
{
    if (bytes.size() < 6 || bytes[0] != 'B' || bytes[1] != 'M') {
        error->message = "not a BMP file";
        return false;
    }
    const char* reason = nullptr;
    if (!CheckBmpHeaders(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(),
                         &reason)) {
        error->message = reason;
        return false;
    }
    SDL_Surface* bitmap =
        SDL_LoadBMP_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1);
    if (bitmap == nullptr) {
        error->message = "SDL cannot read " + what + ": " + SDL_GetError();
        return false;
    }
    const int width = bitmap->w;
    const int height = bitmap->h;
    SDL_FreeSurface(bitmap);
    if (width != kTilesetWidth || height != kTilesetHeight) {
        error->message = "the tileset is " + Size(width, height) + " pixels, not " +
                         Size(kTilesetWidth, kTilesetHeight) + " (" +
                         Size(kTilesetColumns, kTilesetRows) + " tiles of " +
                         Size(kTileSide, kTileSide) + ")";
        return false;
    }
    return true;
}

}  // namespace

bool ReadTileset(const std::string& path, std::string* bytes, InputError* error)
{
    if (!ReadWholeFile(path, kMaxTilesetBytes, bytes, error))
        return false;
    if (bytes->size() >= 6 && (*bytes)[0] == 'B' && (*bytes)[1] == 'M') {
        const uint32_t bfSize =
            ReadLittleEndian32(reinterpret_cast<const unsigned char*>(bytes->data()) + 2);
        if (bfSize != bytes->size()) {
            error->message = "the BMP header's file size (" + std::to_string(bfSize) +
                             ") is not the file's length (" + std::to_string(bytes->size()) +
                             "); is it a level already?";
            return false;
        }
    }
    return CheckTileset(*bytes, "this BMP", error);
}

bool ReadTilesetPart(const std::string& levelPath, uint32_t length, std::string* bytes,
                     InputError* error)
{
    error->file = levelPath;
    if (length > kMaxTilesetBytes) {
        error->message = "the tileset part (bfSize " + std::to_string(length) +
                         ") is larger than the " + std::to_string(kMaxTilesetBytes >> 20) +
                         " MiB a tileset can need";
        return false;
    }
    if (!ReadFileStart(levelPath, length, bytes, error))
        return false;
    if (bytes->size() < length) {
        error->message = "bfSize lies past the end of the file";
        return false;
    }
    if (!CheckTileset(*bytes, "the tileset part", error)) {
        error->message = "the tileset part (the first " + std::to_string(length) +
                         " bytes, as bfSize says) is no tileset: " + error->message;
        return false;
    }
    return true;
}
