#include "world/TileMap.h"

#include <SDL.h>
#include <GL/gl.h>
#include <cstdio>
#include <cstring>

#include "world/BmpFile.h"
#include "world/LevelRecordReader.h"
#include "world/LevelShape.h"
#include "world/RgbaSurface.h"
#include "world/TextureUpload.h"

TileMap::TileMap()
{
    memset(cells, 0, sizeof cells);
}

bool TileMap::Load(const char* path)
{
    SDL_Surface* tileset = LoadCheckedBmp(path);
    if (tileset == nullptr) {
        printf("SDL_LoadBMP(): %s\n", SDL_GetError());
        return false;
    }
    if (tileset->w != kTilesetWidth || tileset->h != kTilesetHeight) {
        SDL_FreeSurface(tileset);
        return false;
    }
    const bool tilesLoaded = LoadTiles(tileset);
    SDL_FreeSurface(tileset);
    return tilesLoaded && LoadRecords(path);
}

SDL_Surface* CutTile(SDL_Surface* tileset, uint32_t index)
{
    SDL_Rect source;
    source.x = static_cast<Sint16>((index % kTilesetColumns) * kTileSide);
    source.y = static_cast<Sint16>((index / kTilesetColumns) * kTileSide);
    source.w = kTileSide;
    source.h = kTileSide;
    SDL_Rect destination;
    destination.x = 0;
    destination.y = 0;
    destination.w = kTileSide;
    destination.h = kTileSide;

    SDL_Surface* tile = CreateRgbaSurface(kTileSide, kTileSide);
    if (tile == nullptr) {
        printf("SDL_CreateRGBSurface(): %s\n", SDL_GetError());
        return nullptr;
    }
    if (SDL_BlitSurface(tileset, &source, tile, &destination) == -1) {
        printf("SDL_BlitSurface(): %s\n", SDL_GetError());
        SDL_FreeSurface(tile);
        return nullptr;
    }
    // The tile surface has an alpha channel, so SDL would blend it into
    // the upload's transparent staging surface and leave its alpha at 0;
    // as a plain copy every tile pixel arrives opaque.
    SDL_SetAlpha(tile, 0, SDL_ALPHA_OPAQUE);
    return tile;
}

bool TileMap::LoadTiles(SDL_Surface* tileset)
{
    for (uint32_t i = 0; i < kTileCount; ++i) {
        SDL_Surface* tile = CutTile(tileset, i);
        if (tile == nullptr)
            return false;
        textures[i] = UploadSurfaceTexture(tile, nullptr);
        SDL_FreeSurface(tile);
        if (textures[i] == 0)
            return false;
    }
    return true;
}

bool TileMap::LoadRecords(const char* path)
{
    FILE* file = fopen(path, "rb");
    if (file == nullptr) {
        printf("fopen()\n");
        return false;
    }
    const bool read = ReadRecords(file);
    fclose(file);
    return read;
}

bool TileMap::ReadRecords(FILE* file)
{
    uint32_t offset = 0;
    if (!ReadRecordOffset(file, &offset)) {
        printf("fread()\n");
        return false;
    }
    // An offset at or past the end leaves nothing to read: no cell is set.
    if (fseek(file, static_cast<long>(offset), SEEK_SET) == 0)
        ReadRecordWords(file, [this](uint32_t word) { ApplyRecord(word); });
    return true;
}

bool TileMap::ApplyRecord(uint32_t word)
{
    const CellRecord record = DecodeCellRecord(word);
    if (!IsAcceptedRecord(record))
        return false;
    TileCell& cell = cells[record.x][kMapSize - 1 - record.y];
    cell.tile = record.tile;
    cell.textureIndex = static_cast<int32_t>(record.tile) - 1;
    cell.assigned = 1;
    return true;
}

bool TileMap::DrawWindow(uint32_t x0, uint32_t y0, uint32_t w, uint32_t h)
{
    glDisable(GL_BLEND);
    glColor3f(1.0f, 1.0f, 1.0f);
    // 64-bit bounds: a window near the top of the u32 range must not wrap.
    const uint64_t xEnd = static_cast<uint64_t>(x0) + w;
    const uint64_t yEnd = static_cast<uint64_t>(y0) + h;
    for (uint64_t x = x0; x <= xEnd && x < kMapSize; ++x) {
        for (uint64_t y = y0; y <= yEnd && y < kMapSize; ++y) {
            const TileCell& cell = cells[x][y];
            if (cell.tile != 0)
                DrawTile(static_cast<float>(x), static_cast<float>(y),
                         static_cast<uint32_t>(cell.textureIndex));
        }
    }
    return true;
}

bool TileMap::DrawTile(float x, float y, uint32_t index)
{
    if (index >= kTileCount)
        return false;
    glBindTexture(GL_TEXTURE_2D, textures[index]);
    glColor3f(1.0f, 1.0f, 1.0f);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(x, y, 0.0f);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(x, y + 1.0f, 0.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(x + 1.0f, y + 1.0f, 0.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(x + 1.0f, y, 0.0f);
    glEnd();
    return true;
}

bool TileMap::IsSolid(int32_t x, int32_t y) const
{
    if (x >= static_cast<int32_t>(kMapSize) || y >= static_cast<int32_t>(kMapSize) || x < 0 ||
        y < 0)
        return true;
    return cells[x][y].tile != 0;
}
