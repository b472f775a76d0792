#include "TiledMapWriter.h"

#include "LevelExport.h"
#include "world/LevelShape.h"

namespace {

std::string Escaped(const std::string& text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// The attributes of a map or tileset that give the tiles' size.
std::string TileSize()
{
    const std::string side = std::to_string(kTileSide);
    return "tilewidth=\"" + side + "\" tileheight=\"" + side + "\"";
}

// A <tileset> with the level's geometry, its lines indented by `indent`.
std::string Tileset(const std::string& indent, const std::string& firstAttribute,
                    const std::string& imageName)
{
    return indent + "<tileset " + firstAttribute + " name=\"tiles\" " + TileSize() +
           " tilecount=\"" + std::to_string(kTileCount) + "\" columns=\"" +
           std::to_string(kTilesetColumns) + "\">\n" + indent + " <image source=\"" +
           Escaped(imageName) + "\" width=\"" + std::to_string(kTilesetWidth) + "\" height=\"" +
           std::to_string(kTilesetHeight) + "\"/>\n" + indent + "</tileset>\n";
}

}  // namespace

std::string TmxForLevel(const LevelReport& report, const std::string& tileset, uint32_t* originX,
                        uint32_t* originY)
{
    std::string csv = ExportCsv(report, originX, originY);
    uint32_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    if (!UsedBounds(report, &x0, &y0, &x1, &y1))
        csv = "0\n";
    const uint32_t width = x1 - x0 + 1, height = y1 - y0 + 1;
    const std::string size =
        "width=\"" + std::to_string(width) + "\" height=\"" + std::to_string(height) + "\"";
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<map version=\"1.8\" orientation=\"orthogonal\" renderorder=\"right-down\" " +
           size + " " + TileSize() +
           " infinite=\"0\" nextlayerid=\"2\" "
           "nextobjectid=\"1\">\n"
           " <properties>\n"
           "  <property name=\"origin\" value=\"" +
           std::to_string(*originX) + "," + std::to_string(*originY) +
           "\"/>\n"
           " </properties>\n" +
           tileset + " <layer id=\"1\" name=\"tiles\" " + size +
           ">\n"
           "  <data encoding=\"csv\">\n" +
           csv +
           "</data>\n"
           " </layer>\n"
           "</map>\n";
}

std::string TilesetFileEntry(const std::string& tilesetName)
{
    return " <tileset firstgid=\"1\" source=\"" + Escaped(tilesetName) + "\"/>\n";
}

std::string EmbeddedTileset(const std::string& imageName)
{
    return Tileset(" ", "firstgid=\"1\"", imageName);
}

std::string TsxForLevel(const std::string& imageName)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" +
           Tileset("", "version=\"1.8\"", imageName);
}
