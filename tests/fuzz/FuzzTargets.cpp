#include "FuzzTargets.h"

#include <SDL.h>

#include <cstdio>
#include <memory>
#include <string>

#include "CsvMapReader.h"
#include "JsonMapReader.h"
#include "TmxMapReader.h"
#include "world/BmpFile.h"
#include "world/LevelShape.h"
#include "world/TileMap.h"

// The fuzz build compiles SDL's own BMP reader with the sanitizers under
// this name, so that its reads and writes are checked too.
#ifdef FLYER_INSTRUMENTED_SDL_BMP
extern "C" SDL_Surface* InstrumentedLoadBMP_RW(SDL_RWops* src, int freesrc);
#define LOAD_BMP_RW InstrumentedLoadBMP_RW
#else
#define LOAD_BMP_RW SDL_LoadBMP_RW
#endif

int FuzzLevelRecords(const uint8_t* data, size_t size)
{
    static std::unique_ptr<TileMap> map(new TileMap());
    FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb");
    if (file == nullptr)
        return 0;
    map->ReadRecords(file);
    fclose(file);
    return 0;
}

int FuzzTilesetBitmap(const uint8_t* data, size_t size)
{
    const char* reason = nullptr;
    if (!CheckBmpHeaders(data, size, &reason))
        return 0;
    SDL_Surface* bitmap = LOAD_BMP_RW(SDL_RWFromConstMem(data, static_cast<int>(size)), 1);
    if (bitmap == nullptr)
        return 0;
    if (bitmap->w == kTilesetWidth && bitmap->h == kTilesetHeight) {
        for (uint32_t i = 0; i < kTileCount; ++i)
            SDL_FreeSurface(CutTile(bitmap, i));
    }
    SDL_FreeSurface(bitmap);
    return 0;
}

int FuzzCsvMap(const uint8_t* data, size_t size)
{
    MapGrid grid;
    InputError error;
    ReadCsvMap(std::string(reinterpret_cast<const char*>(data), size), "fuzz.csv", 1, size % 2 == 0, &grid,
               &error);
    return 0;
}

int FuzzTmxMap(const uint8_t* data, size_t size)
{
    MapGrid grid;
    InputError error;
    ReadTmxText(std::string(reinterpret_cast<const char*>(data), size), "fuzz.tmx", &grid, &error);
    return 0;
}

int FuzzJsonMap(const uint8_t* data, size_t size)
{
    MapGrid grid;
    InputError error;
    ReadJsonText(std::string(reinterpret_cast<const char*>(data), size), "fuzz.tmj", &grid, &error);
    return 0;
}
