#pragma once

#include <memory>
#include <string>

#include "Subprocess.h"

// A private X server for one test, on a display number it picks itself;
// stopped when the object goes.
class XvfbServer {
public:
    XvfbServer(int width, int height);
    const std::string& Display() const { return display_; }

private:
    std::unique_ptr<Subprocess> server_;
    std::string display_;
};
