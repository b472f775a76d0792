#include "LevelInspector.h"

#include <SDL.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "world/BmpFile.h"
#include "world/LevelRecordReader.h"
#include "world/LevelShape.h"

void InspectLevel(const std::string& path, LevelReport* report)
{
    *report = LevelReport();
    SDL_Surface* bitmap = LoadCheckedBmp(path.c_str());
    if (bitmap == nullptr) {
        report->refusal = std::string("SDL cannot read the tileset: ") + SDL_GetError();
        return;
    }
    report->width = bitmap->w;
    report->height = bitmap->h;
    report->bitsPerPixel = bitmap->format->BitsPerPixel;
    SDL_FreeSurface(bitmap);
    if (report->width != kTilesetWidth || report->height != kTilesetHeight) {
        report->refusal = "the tileset is not " + Size(kTilesetWidth, kTilesetHeight) + " pixels";
        return;
    }

    FILE* file = fopen(path.c_str(), "rb");
    if (file == nullptr) {
        report->refusal = "the file cannot be opened";
        return;
    }
    struct stat status;
    if (fstat(fileno(file), &status) == 0)
        report->fileLength = static_cast<uint64_t>(status.st_size);
    if (!ReadRecordOffset(file, &report->recordOffset)) {
        report->refusal = "the record offset cannot be read";
        fclose(file);
        return;
    }
    report->loadable = true;
    std::vector<bool> written(kMapSize * kMapSize, false);
    if (fseek(file, static_cast<long>(report->recordOffset), SEEK_SET) == 0) {
        report->fragment = ReadRecordWords(file, [&](uint32_t word) {
            report->records += 1;
            const CellRecord record = DecodeCellRecord(word);
            if (record.x >= kMapSize) {
                report->skippedX += 1;
            } else if (record.y >= kMapSize) {
                report->skippedY += 1;
            } else if (record.tile > kTileCount) {
                report->skippedTile += 1;
            } else {
                const size_t cell = record.y * kMapSize + record.x;
                report->applied += 1;
                report->replaced += written[cell] ? 1 : 0;
                report->emptying += record.tile == 0 ? 1 : 0;
                written[cell] = true;
                report->tiles[cell] = static_cast<uint8_t>(record.tile);
            }
        });
    }
    fclose(file);
}

bool InspectLoadable(const std::string& path, LevelReport* report, InputError* error)
{
    InspectLevel(path, report);
    if (!report->loadable)
        *error = InputError{path, 0, 0, "the game would refuse this level: " + report->refusal};
    return report->loadable;
}

bool UsedBounds(const LevelReport& report, uint32_t* x0, uint32_t* y0, uint32_t* x1, uint32_t* y1)
{
    bool any = false;
    for (uint32_t y = 0; y < kMapSize; ++y) {
        for (uint32_t x = 0; x < kMapSize; ++x) {
            if (report.TileAt(x, y) == 0)
                continue;
            if (!any) {
                *x0 = *x1 = x;
                *y0 = *y1 = y;
                any = true;
            }
            *x0 = std::min(*x0, x);
            *x1 = std::max(*x1, x);
            *y1 = y;
        }
    }
    return any;
}

std::string DescribeLevel(const std::string& path, const LevelReport& report)
{
    std::ostringstream out;
    out << "level: " << path << "\n";
    if (report.width != 0)
        out << "tileset: " << report.width << " x " << report.height << " pixels, "
            << report.bitsPerPixel << " bits per pixel\n";
    if (!report.loadable) {
        out << "refused: " << report.refusal << "\n";
        return out.str();
    }
    out << "bfSize (record offset): " << report.recordOffset << "\n";
    out << "file length: " << report.fileLength << "\n";
    if (report.recordOffset >= report.fileLength)
        out << "note: the record offset is at or past the end of the file: no records\n";
    out << "records: " << report.records << " (applied " << report.applied << ", skipped "
        << report.skippedX + report.skippedY + report.skippedTile << ")\n";
    if (report.skippedX + report.skippedY + report.skippedTile > 0)
        out << "skipped: x out of range " << report.skippedX << ", y out of range "
            << report.skippedY << ", tile out of range " << report.skippedTile << "\n";
    out << "replaced: " << report.replaced << " records replaced earlier ones\n";
    if (report.emptying > 0)
        out << "empty records (tile 0): " << report.emptying << "\n";
    if (report.fragment > 0)
        out << "trailing fragment: " << report.fragment << " bytes, ignored\n";

    uint64_t histogram[kTileCount + 1] = {};
    for (uint8_t tile : report.tiles)
        histogram[tile] += 1;
    const uint64_t used = report.tiles.size() - histogram[0];
    uint32_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    if (UsedBounds(report, &x0, &y0, &x1, &y1))
        out << "used cells: " << used << ", columns " << x0 << ".." << x1 << ", rows " << y0 << ".."
            << y1 << " (from the top)\n";
    else
        out << "used cells: 0\n";
    out << "tiles (number: cells):";
    for (uint32_t tile = 1; tile <= kTileCount; ++tile)
        if (histogram[tile] > 0)
            out << " " << tile << ":" << histogram[tile];
    out << "\n";
    return out.str();
}
