#include "CsvMapReader.h"

#include <cstdint>

#include "world/LevelRecord.h"

namespace {

// Tiled keeps horizontal, vertical, diagonal and hexagonal flips in the
// top four bits of a global tile id.
const uint32_t kTiledFlipFlags = 0xF0000000u;

const char kByteOrderMark[] = "\xEF\xBB\xBF";

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

}  // namespace

bool ReadCsvMap(const std::string& text, const std::string& file, CsvForm form, MapGrid* grid,
                InputError* error, unsigned firstLine)
{
    const bool tiledExport = form == CsvForm::kTiledExport;
    *grid = MapGrid();
    error->file = file;
    auto fail = [&](unsigned line, unsigned column, const std::string& message) {
        error->line = line;
        error->column = column;
        error->message = message;
        return false;
    };

    unsigned line = firstLine;
    size_t at = text.compare(0, 3, kByteOrderMark) == 0 ? 3 : 0;
    bool haveWidth = false;
    while (at <= text.size()) {
        const size_t end = std::min(text.find('\n', at), text.size());
        const std::string row = text.substr(at, end - at);
        std::vector<uint32_t> values;
        size_t pos = 0;
        bool blankRow = true;
        for (char c : row)
            if (!IsBlank(c))
                blankRow = false;
        while (!blankRow && pos < row.size()) {
            while (pos < row.size() && IsBlank(row[pos]))
                ++pos;
            const size_t start = pos;
            const unsigned column = static_cast<unsigned>(start + 1);
            if (pos >= row.size())
                return fail(line, column, "missing tile number at the end of the row");
            if (row[pos] == ',')
                return fail(line, column, "empty field");
            const bool negative = row[pos] == '-';
            if (negative)
                ++pos;
            const size_t digits = pos;
            uint64_t value = 0;
            while (pos < row.size() && row[pos] >= '0' && row[pos] <= '9') {
                value = value * 10 + static_cast<uint64_t>(row[pos] - '0');
                if (value > UINT32_MAX)
                    return fail(line, column, "number too large");
                ++pos;
            }
            while (pos < row.size() && IsBlank(row[pos]))
                ++pos;
            if (pos == digits || (pos < row.size() && row[pos] != ',')) {
                size_t stop = row.find(',', start);
                return fail(line, column,
                            "bad tile number " + Quoted(row.substr(start, stop == std::string::npos
                                                                              ? std::string::npos
                                                                              : stop - start)));
            }
            if (negative && !tiledExport)
                return fail(line, column,
                            "negative tile number: Tiled's CSV export counts tiles from 0 and "
                            "writes -1 for an empty cell; read it with --tiled-csv");
            if (tiledExport) {
                // Tiled writes the id as a signed 32-bit number, flip flags
                // and all.
                const uint32_t id = static_cast<uint32_t>(negative ? 0 - value : value);
                if (negative && value > 0x80000000u)
                    return fail(line, column, "number too large");
                if (id != UINT32_MAX && (id & kTiledFlipFlags) != 0)
                    return fail(line, column,
                                "tile " + std::to_string((id & ~kTiledFlipFlags) + 1) +
                                    " (Tiled's id " + std::to_string(id & ~kTiledFlipFlags) +
                                    ") is flipped or rotated; flyer draws tiles only as they are");
                if (id != UINT32_MAX && id >= kTileCount)
                    return fail(line, column,
                                "Tiled's tile id " + std::to_string(id) +
                                    " is beyond the tileset's " + std::to_string(kTileCount) +
                                    " tiles (0 to " + std::to_string(kTileCount - 1) + ")");
                value = id == UINT32_MAX ? 0 : id + 1;
            }
            if (value > kTileCount)
                return fail(line, column,
                            "tile " + std::to_string(value) + " is beyond the tileset's " +
                                std::to_string(kTileCount));
            values.push_back(static_cast<uint32_t>(value));
            if (pos < row.size())
                ++pos;  // the comma; a comma that ends the line ends the row
            size_t rest = pos;
            while (rest < row.size() && IsBlank(row[rest]))
                ++rest;
            if (rest == row.size())
                break;
        }
        if (!blankRow) {
            if (!haveWidth) {
                grid->width = static_cast<uint32_t>(values.size());
                haveWidth = true;
            } else if (values.size() != grid->width) {
                return fail(line, 0,
                            "row has " + std::to_string(values.size()) + " cells, the first row " +
                                std::to_string(grid->width));
            }
            grid->tiles.insert(grid->tiles.end(), values.begin(), values.end());
            grid->height += 1;
        }
        if (end == text.size())
            break;
        at = end + 1;
        ++line;
    }
    return true;
}
