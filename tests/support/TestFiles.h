// Files that tests make for themselves: a scratch folder, bitmaps, levels.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// A fresh folder in the temporary folder, removed with its contents.
class TempDir {
public:
    TempDir();
    ~TempDir();
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// Writes a 24-bit BMP through SDL; colour(x, y) is 0xRRGGBB, y from the top.
bool WriteBmp(const std::string& path, int width, int height,
              const std::function<uint32_t(int, int)>& colour);
// The colour of tile n (1 to 190) in the tests' tileset, each a flat colour
// of its own in its upper half and TestTileLowerColour of it below.
uint32_t TestTileColour(uint32_t tile);
inline uint32_t TestTileLowerColour(uint32_t upper)
{
    return upper ^ 0x404040u;
}
// A level: the 304 x 160 test tileset followed by the record words.
bool WriteLevel(const std::string& path, const std::vector<uint32_t>& records);
// Appends little-endian words or raw bytes to a file.
bool AppendWords(const std::string& path, const std::vector<uint32_t>& words);
bool AppendBytes(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);
bool WriteFile(const std::string& path, const std::string& bytes);
