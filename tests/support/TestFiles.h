// Files that tests make for themselves: a scratch folder, bitmaps and
// level files.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// A fresh folder in the temporary folder, removed with everything in it at
// the end.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// 0xRRGGBB of the pixel at (x, y), y counted from the top row.
using PixelColour = std::function<uint32_t(int x, int y)>;

// Writes a 24-bit BMP through SDL. False when SDL cannot.
bool WriteBmp(const std::string& path, int width, int height, const PixelColour& colour);

// The colour of the upper half of tile n (1 to 190) in the tests' tileset:
// each tile a flat colour of its own. The lower half is TestTileLowerColour
// of it, so that tests tell that tiles stand upright.
uint32_t TestTileColour(uint32_t tile);
uint32_t TestTileLowerColour(uint32_t upper);

// Writes a level: a 304 x 160 tileset of the test tiles followed by the
// given record words.
bool WriteLevel(const std::string& path, const std::vector<uint32_t>& records);

// Appends little-endian words or raw bytes to a file.
bool AppendWords(const std::string& path, const std::vector<uint32_t>& words);
bool AppendBytes(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);
bool WriteFile(const std::string& path, const std::string& bytes);
