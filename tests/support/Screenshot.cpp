#include "Screenshot.h"

#include <cstdio>

#include "Subprocess.h"

Screenshot::Screenshot(const std::string& display)
{
    // Without the comment xwd sets, the PPM header is "P6\n<w> <h>\n255\n".
    const CommandResult ppm = RunShell("xwd -root -silent | convert xwd:- +set comment -depth 8 ppm:-", display);
    int header = 0;
    if (sscanf(ppm.out.c_str(), "P6 %d %d 255%n", &width, &height, &header) == 2 && header > 0 &&
        ppm.out.size() == header + 1 + 3u * width * height)
        rgb = ppm.out.substr(header + 1);
    else
        width = height = 0;
}

uint32_t Screenshot::At(int x, int y) const
{
    const size_t i = (static_cast<size_t>(y) * width + x) * 3;
    return static_cast<uint8_t>(rgb[i]) << 16 | static_cast<uint8_t>(rgb[i + 1]) << 8 | static_cast<uint8_t>(rgb[i + 2]);
}
