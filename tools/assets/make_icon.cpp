// make-icon: paints the application icon from a sprite's shapes.
// Usage: make-icon <sprite.shapes> <sprite size> <icon size> <icon.png>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "IconPainter.h"

int main(int argc, char** argv)
{
    const int sourceSize = argc == 5 ? atoi(argv[2]) : 0;
    const int size = argc == 5 ? atoi(argv[3]) : 0;
    if (sourceSize <= 0 || size <= 0) {
        fprintf(stderr, "Usage: make-icon <sprite.shapes> <sprite size> <icon size> <icon.png>\n");
        return 2;
    }
    std::ifstream in(argv[1]);
    std::ostringstream text;
    text << in.rdbuf();
    if (!in) {
        fprintf(stderr, "make-icon: cannot read %s\n", argv[1]);
        return 1;
    }
    RgbaIcon icon;
    std::string problem;
    if (!PaintIcon(text.str(), sourceSize, size, &icon, &problem)) {
        fprintf(stderr, "make-icon: %s: %s\n", argv[1], problem.c_str());
        return 1;
    }
    if (!SavePng(icon, argv[4])) {
        fprintf(stderr, "make-icon: cannot write %s\n", argv[4]);
        return 1;
    }
    return 0;
}
