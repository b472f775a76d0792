#include "ShapeFile.h"

#include <cstdlib>
#include <sstream>
#include <vector>

namespace {

bool ParsePoint(const std::string& text, double offset, double scale, std::vector<double>* xy)
{
    double x = 0, y = 0;
    char comma = 0;
    std::istringstream in(text);
    if (!(in >> x >> comma >> y) || comma != ',')
        return false;
    xy->push_back((x + offset) * scale);
    xy->push_back(y * scale);
    return true;
}

}  // namespace

bool PaintShapes(const std::string& description, Canvas* canvas, std::string* problem)
{
    return PaintShapes(description, 1.0, canvas, problem);
}

bool PaintShapes(const std::string& description, double scale, Canvas* canvas, std::string* problem)
{
    std::istringstream lines(description);
    std::string line;
    int lineNumber = 0;
    double offset = 0;
    while (std::getline(lines, line)) {
        ++lineNumber;
        const size_t comment = line.find("  #");
        std::istringstream fields(line.substr(0, comment));
        std::string kind, colour;
        if (!(fields >> kind) || kind[0] == '#')
            continue;
        const std::string where = "line " + std::to_string(lineNumber) + ": ";
        if (kind == "frame") {
            int frame = 0;
            if (!(fields >> frame)) {
                *problem = where + "frame needs a number";
                return false;
            }
            offset = static_cast<double>(frame) * canvas->Height() / scale;
            continue;
        }
        uint32_t rgb = 0;
        if (!(fields >> colour) || !ParseColour(colour, &rgb)) {
            *problem = where + "expected a colour #rrggbb";
            return false;
        }
        std::vector<double> xy;
        std::string token;
        if (kind == "polygon") {
            while (fields >> token)
                if (!ParsePoint(token, offset, scale, &xy)) {
                    *problem = where + "bad point '" + token + "'";
                    return false;
                }
            if (xy.size() < 6) {
                *problem = where + "a polygon needs three points";
                return false;
            }
            canvas->FillPolygon(xy, rgb);
        } else if (kind == "circle") {
            double radius = 0;
            if (!(fields >> token) || !ParsePoint(token, offset, scale, &xy) ||
                !(fields >> radius)) {
                *problem = where + "expected circle #rrggbb x,y radius";
                return false;
            }
            canvas->FillCircle(xy[0], xy[1], radius * scale, rgb);
        } else {
            *problem = where + "unknown shape '" + kind + "'";
            return false;
        }
    }
    return true;
}
