#include "TestFiles.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "Canvas.h"
#include "world/LevelRecord.h"
#include "world/LevelShape.h"

TempDir::TempDir() : path_((std::filesystem::temp_directory_path() / "flyer-test-XXXXXX").string())
{
    if (mkdtemp(path_.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

bool WriteBmp(const std::string& path, int width, int height,
              const std::function<uint32_t(int, int)>& colour)
{
    Canvas canvas(width, height, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            canvas.Set(x, y, colour(x, y));
    return canvas.SaveBmp(path);
}

// Distinct, bright and far from the starfield's pale colours.
uint32_t TestTileColour(uint32_t tile)
{
    return (40 + (tile * 37) % 200) << 16 | (40 + (tile * 91) % 200) << 8 |
           (40 + (tile * 53) % 200);
}

bool WriteLevel(const std::string& path, const std::vector<uint32_t>& records)
{
    const bool written = WriteBmp(path, kTilesetWidth, kTilesetHeight, [](int x, int y) {
        const uint32_t colour = TestTileColour(
            static_cast<uint32_t>((y / kTileSide) * kTilesetColumns + x / kTileSide + 1));
        return y % kTileSide < kTileSide / 2 ? colour : TestTileLowerColour(colour);
    });
    return written && AppendWords(path, records);
}

bool AppendWords(const std::string& path, const std::vector<uint32_t>& words)
{
    std::string bytes(4 * words.size(), '\0');
    for (size_t i = 0; i < words.size(); ++i)
        WriteLittleEndian32(words[i], reinterpret_cast<unsigned char*>(&bytes[4 * i]));
    return AppendBytes(path, bytes);
}

bool AppendBytes(const std::string& path, const std::string& bytes)
{
    return static_cast<bool>(std::ofstream(path, std::ios::binary | std::ios::app) << bytes);
}

std::string ReadFile(const std::string& path)
{
    std::ostringstream out;
    out << std::ifstream(path, std::ios::binary).rdbuf();
    return out.str();
}

bool WriteFile(const std::string& path, const std::string& bytes)
{
    return static_cast<bool>(std::ofstream(path, std::ios::binary) << bytes);
}
