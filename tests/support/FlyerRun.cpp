#include "FlyerRun.h"

#include <chrono>
#include <thread>

#ifndef FLYER_BINARY
#error "FLYER_BINARY must name the built flyer"
#endif

std::string FlyerBinary()
{
    return FLYER_BINARY;
}

std::string DataDirectory()
{
    return FLYER_DATA_DIR;
}

void Sleep(double seconds)
{
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

CommandResult RunFlyer(const std::vector<std::string>& args, const Subprocess::Options& options,
                       double seconds)
{
    std::vector<std::string> argv{FlyerBinary()};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunCommand(argv, options, seconds);
}

FlyerRun::FlyerRun(const XvfbServer& server, const std::vector<std::string>& args, const Options& options)
    : server_(server)
{
    std::vector<std::string> argv;
    if (!options.tracePath.empty())
        argv = {"apitrace", "trace", "--api", "gl", "--output", options.tracePath};
    argv.push_back(FlyerBinary());
    argv.insert(argv.end(), args.begin(), args.end());
    Subprocess::Options processOptions;
    processOptions.workingDirectory = options.workingDirectory;
    processOptions.environment["DISPLAY"] = server.Display();
    process_.reset(new Subprocess(argv, processOptions));
}

bool FlyerRun::WaitForFrames(double seconds)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < deadline && process_->Running()) {
        const Screenshot shot = TakeScreenshot(server_.Display());
        for (int y = 0; y < shot.height; y += 7) {
            for (int x = 0; x < shot.width; x += 7) {
                // A new window is black; the game's first frame is not
                // (the clear colour itself is (0, 0, 13)).
                const Rgb p = shot.At(x, y);
                if (p.r != 0 || p.g != 0 || p.b != 0)
                    return true;
            }
        }
        Sleep(0.1);
    }
    return false;
}

void FlyerRun::KeyDown(const std::string& key)
{
    RunShell("xdotool keydown " + key, server_.Display());
}

void FlyerRun::KeyUp(const std::string& key)
{
    RunShell("xdotool keyup " + key, server_.Display());
}

void FlyerRun::Hold(const std::string& key, double seconds)
{
    KeyDown(key);
    Sleep(seconds);
    KeyUp(key);
}

void FlyerRun::Press(const std::string& key)
{
    RunShell("xdotool key " + key, server_.Display());
}

Screenshot FlyerRun::Shot()
{
    return TakeScreenshot(server_.Display());
}

int FlyerRun::Quit(double seconds)
{
    Press("Escape");
    return process_->Wait(seconds);
}
