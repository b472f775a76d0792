#include "Screenshot.h"

#include <cstdio>

#include "Subprocess.h"

namespace {

// Reads one header number of a binary PPM, skipping blanks and comments.
bool ReadPpmNumber(const std::string& data, size_t& at, int& value)
{
    while (at < data.size() && (isspace(static_cast<unsigned char>(data[at])) || data[at] == '#')) {
        if (data[at] == '#')
            while (at < data.size() && data[at] != '\n')
                ++at;
        else
            ++at;
    }
    size_t start = at;
    while (at < data.size() && isdigit(static_cast<unsigned char>(data[at])))
        ++at;
    if (start == at)
        return false;
    value = std::stoi(data.substr(start, at - start));
    return true;
}

}  // namespace

Rgb Screenshot::At(int x, int y) const
{
    const size_t i = (static_cast<size_t>(y) * width + x) * 3;
    return Rgb{rgb[i], rgb[i + 1], rgb[i + 2]};
}

bool Screenshot::SavePng(const std::string& path) const
{
    const std::string ppm = path + ".ppm";
    FILE* file = fopen(ppm.c_str(), "wb");
    if (file == nullptr)
        return false;
    fprintf(file, "P6\n%d %d\n255\n", width, height);
    fwrite(rgb.data(), 1, rgb.size(), file);
    fclose(file);
    const CommandResult result = RunShell("convert '" + ppm + "' '" + path + "' && rm -f '" + ppm + "'", "");
    return result.status == 0;
}

Screenshot TakeScreenshot(const std::string& display)
{
    Screenshot shot;
    const CommandResult result = RunShell("xwd -root -silent | convert xwd:- -depth 8 ppm:-", display);
    const std::string& data = result.out;
    if (result.status != 0 || data.size() < 2 || data[0] != 'P' || data[1] != '6')
        return shot;
    size_t at = 2;
    int width = 0, height = 0, maxValue = 0;
    if (!ReadPpmNumber(data, at, width) || !ReadPpmNumber(data, at, height) ||
        !ReadPpmNumber(data, at, maxValue) || maxValue != 255)
        return shot;
    ++at;
    const size_t size = static_cast<size_t>(width) * height * 3;
    if (data.size() < at + size)
        return shot;
    shot.width = width;
    shot.height = height;
    shot.rgb.assign(data.begin() + static_cast<long>(at), data.begin() + static_cast<long>(at + size));
    return shot;
}
