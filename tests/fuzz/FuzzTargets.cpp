#include "FuzzTargets.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "CsvMapReader.h"
#include "LevelExport.h"
#include "OutputFiles.h"
#include "TilesetFile.h"
#include "JsonMapReader.h"
#include "TmxMapReader.h"
#include "world/BmpFile.h"
#include "world/LevelShape.h"
#include "world/TileMap.h"

// The fuzz build compiles SDL's own BMP reader with the sanitizers under this name, to check it
// too.
#ifdef FLYER_INSTRUMENTED_SDL_BMP
extern "C" SDL_Surface* InstrumentedLoadBMP_RW(SDL_RWops* src, int freesrc);
#define SDL_LoadBMP_RW InstrumentedLoadBMP_RW
#endif

int FuzzLevelRecords(const uint8_t* data, size_t size)
{
    static TileMap* map = new TileMap();  // 12 MiB: too large for the stack
    if (FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb")) {
        map->ReadRecords(file);
        fclose(file);
    }
    return 0;
}

int FuzzTilesetBitmap(const uint8_t* data, size_t size)
{
    const char* reason = nullptr;
    if (!CheckBmpHeaders(data, size, &reason))
        return 0;
    SDL_Surface* bitmap = SDL_LoadBMP_RW(SDL_RWFromConstMem(data, static_cast<int>(size)), 1);
    for (uint32_t i = 0;
         bitmap && bitmap->w == kTilesetWidth && bitmap->h == kTilesetHeight && i < kTileCount; ++i)
        SDL_FreeSurface(CutTile(bitmap, i));
    SDL_FreeSurface(bitmap);
    return 0;
}

int FuzzCsvMap(const uint8_t* data, size_t size)
{
    MapGrid grid;
    InputError error;
    const CsvForm form = size % 2 == 0 ? CsvForm::kTiledExport : CsvForm::kFlyer;
    ReadCsvMap(std::string(reinterpret_cast<const char*>(data), size), "fuzz.csv", form, &grid,
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

int FuzzLevelExport(const uint8_t* data, size_t size)
{
    char folder[] = "/dev/shm/flyer-fuzz-XXXXXX";  // in memory, removed after each run
    const std::string level = std::string(mkdtemp(folder)) + "/in.lvl",
                      out = std::string(folder) + "/out";
    InputError error;
    LevelReport report;
    if (WriteFileAtomically(level, std::string(reinterpret_cast<const char*>(data), size), &error))
        InspectLevel(level, &report);
    OutputFiles files;
    uint32_t x = 0, y = 0;
    std::string tileset;
    if (report.loadable && files.Add(out + ".csv", ExportCsv(report, &x, &y), &error) &&
        ReadTilesetPart(level, report.recordOffset, &tileset, &error) &&
        files.Add(out + ".bmp", tileset, &error))
        files.Commit(&error);
    std::filesystem::remove_all(folder);
    return 0;
}

int FuzzJsonMap(const uint8_t* data, size_t size)
{
    MapGrid grid;
    InputError error;
    ReadJsonText(std::string(reinterpret_cast<const char*>(data), size), "fuzz.tmj", &grid, &error);
    return 0;
}
