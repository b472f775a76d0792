#include "TestFiles.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "Canvas.h"
#include "Subprocess.h"
#include "world/LevelRecord.h"
#include "world/LevelShape.h"

TempDir::TempDir()
{
    char pattern[] = "/tmp/flyer-test-XXXXXX";
    if (mkdtemp(pattern) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir()
{
    RunCommand({"rm", "-rf", path_}, Subprocess::Options());
}

bool WriteBmp(const std::string& path, int width, int height, const PixelColour& colour)
{
    Canvas canvas(width, height, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            canvas.Set(x, y, colour(x, y));
    return canvas.SaveBmp(path);
}

uint32_t TestTileColour(uint32_t tile)
{
    // Distinct, bright and far from the starfield's pale colours.
    const uint32_t r = 40 + (tile * 37) % 200;
    const uint32_t g = 40 + (tile * 91) % 200;
    const uint32_t b = 40 + (tile * 53) % 200;
    return (r << 16) | (g << 8) | b;
}

uint32_t TestTileLowerColour(uint32_t upper)
{
    return upper ^ 0x404040u;
}

bool WriteLevel(const std::string& path, const std::vector<uint32_t>& records)
{
    const bool written = WriteBmp(path, kTilesetWidth, kTilesetHeight, [](int x, int y) {
        const uint32_t colour = TestTileColour(static_cast<uint32_t>((y / kTileSide) * kTilesetColumns + x / kTileSide + 1));
        return y % kTileSide < kTileSide / 2 ? colour : TestTileLowerColour(colour);
    });
    return written && AppendWords(path, records);
}

bool AppendWords(const std::string& path, const std::vector<uint32_t>& words)
{
    std::string bytes;
    for (uint32_t word : words) {
        unsigned char le[4];
        WriteLittleEndian32(word, le);
        bytes.append(reinterpret_cast<const char*>(le), 4);
    }
    return AppendBytes(path, bytes);
}

bool AppendBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::app);
    out << bytes;
    return static_cast<bool>(out);
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

bool WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    return static_cast<bool>(out);
}
