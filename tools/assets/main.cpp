// make-assets: paints the default tileset and sprites from their sources.
// Usage: make-assets <source folder> <output folder>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "Canvas.h"
#include "ShapeFile.h"
#include "TilesetPainter.h"
#include "app/SpriteFiles.h"
#include "world/LevelShape.h"

namespace {

bool ReadText(const std::string& path, std::string* text)
{
    std::ifstream in(path);
    std::ostringstream out;
    out << in.rdbuf();
    *text = out.str();
    return static_cast<bool>(in);
}

bool Make(const std::string& source, const std::string& output, int width, int height,
          bool (*paint)(const std::string&, Canvas*, std::string*))
{
    std::string text, problem;
    if (!ReadText(source, &text)) {
        fprintf(stderr, "make-assets: cannot read %s\n", source.c_str());
        return false;
    }
    Canvas canvas(width, height, 0x000000);
    if (!paint(text, &canvas, &problem)) {
        fprintf(stderr, "make-assets: %s: %s\n", source.c_str(), problem.c_str());
        return false;
    }
    if (!canvas.SaveBmp(output)) {
        fprintf(stderr, "make-assets: cannot write %s\n", output.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        fprintf(stderr, "Usage: make-assets <source folder> <output folder>\n");
        return 2;
    }
    const std::string in = std::string(argv[1]) + "/";
    const std::string out = std::string(argv[2]) + "/";
    const bool made = Make(in + "tileset.txt", out + "tileset.bmp", kTilesetWidth, kTilesetHeight,
                           PaintTileset) &&
                      Make(in + "ship.shapes", out + kShipBitmap, 36, 36, PaintShapes) &&
                      Make(in + "bullet.shapes", out + kBulletBitmap, 8, 8, PaintShapes) &&
                      Make(in + "ships.shapes", out + kFleetBitmap, 288, 36, PaintShapes);
    return made ? 0 : 1;
}
