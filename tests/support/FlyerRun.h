// The real flyer binary under a test's own X server: started in a folder,
// optionally under apitrace, driven with real key events from xdotool.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Screenshot.h"
#include "Subprocess.h"
#include "XvfbServer.h"

class FlyerRun {
public:
    struct Options {
        std::string workingDirectory;
        std::string tracePath;  // when set, the run is recorded by apitrace
    };

    FlyerRun(const XvfbServer& server, const std::vector<std::string>& args, const Options& options);

    // Waits until the screen shows a frame the game drew.
    bool WaitForFrames(double seconds = 30.0);
    void KeyDown(const std::string& key);
    void KeyUp(const std::string& key);
    // Holds a key for the given seconds.
    void Hold(const std::string& key, double seconds);
    void Press(const std::string& key);
    Screenshot Shot();
    // Presses Esc and waits for the end. Returns the exit status, or -1.
    int Quit(double seconds = 30.0);
    Subprocess& Process() { return *process_; }

private:
    const XvfbServer& server_;
    std::unique_ptr<Subprocess> process_;
};

// The path of the built flyer binary and of the folder of generated data.
std::string FlyerBinary();
std::string DataDirectory();

// Runs flyer to its end with the given arguments and environment, for the
// start-up paths that never reach the frame loop.
CommandResult RunFlyer(const std::vector<std::string>& args, const Subprocess::Options& options,
                       double seconds = 30.0);

void Sleep(double seconds);
