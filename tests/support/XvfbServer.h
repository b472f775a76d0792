#pragma once

#include <sys/types.h>

#include <string>

// A private X server for one test, on a display number the server picks
// itself. Stopped when the object goes.
class XvfbServer {
public:
    explicit XvfbServer(int width = 1280, int height = 1024);
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    const std::string& Display() const { return display_; }

private:
    pid_t pid_ = -1;
    std::string display_;
};
