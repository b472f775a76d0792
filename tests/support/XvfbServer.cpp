#include "XvfbServer.h"

#include <stdexcept>
#include <thread>

XvfbServer::XvfbServer(int width, int height)
    : server_(new Subprocess({"Xvfb", "-displayfd", "1", "-screen", "0",
                              std::to_string(width) + "x" + std::to_string(height) + "x24",
                              "-nolisten", "tcp", "-noreset"},
                             {}))
{
    // The server writes its display number and a newline once it is ready.
    for (int i = 0; i < 2000 && server_->Running() && display_.empty(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        const std::string out = server_->Stdout();
        display_ = out.find('\n') != std::string::npos ? ":" + out.substr(0, out.find('\n')) : "";
    }
    if (display_.empty())
        throw std::runtime_error("Xvfb did not start");
}
