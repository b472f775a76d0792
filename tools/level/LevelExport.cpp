#include "LevelExport.h"

std::string ExportCsv(const LevelReport& report, uint32_t* originX, uint32_t* originY)
{
    uint32_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    *originX = 0;
    *originY = 0;
    if (!UsedBounds(report, &x0, &y0, &x1, &y1))
        return "";
    *originX = x0;
    *originY = y0;
    std::string text;
    for (uint32_t y = y0; y <= y1; ++y) {
        for (uint32_t x = x0; x <= x1; ++x) {
            text += std::to_string(report.TileAt(x, y));
            if (x < x1)
                text += ',';
        }
        text += y < y1 ? ",\n" : "\n";
    }
    return text;
}
