// The real flyer binary as the end-to-end tests run it: with the preloaded
// shim of ScriptedSdl.cpp, so that its clock steps a fixed time per frame
// and its keys can be scripted, optionally under apitrace, on the classic
// SDL 1.2 or, when ctest sets FLYER_TEST_SDL_DIR to its folder, on
// sdl12-compat.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Screenshot.h"
#include "Subprocess.h"
#include "TestFiles.h"
#include "XvfbServer.h"

struct ScriptedKey {
    unsigned frame;  // counted from 1
    int key;         // SDLKey
    bool pressed;
};

struct FlyerSetup {
    FlyerSetup(std::string display = "", std::string directory = "", std::vector<ScriptedKey> keys = {},
               std::string trace = "")
        : display(display), directory(directory), keys(keys), trace(trace) {}

    std::string display;  // none when empty
    std::string directory;
    std::vector<ScriptedKey> keys;
    std::string trace;  // when set, the run is recorded there by apitrace
    unsigned stepMs = 20;
    unsigned glErrorFrame = 0;  // when not 0, a GL error is raised before this frame's swap
    std::map<std::string, std::string> environment;
};

class FlyerRun {
public:
    FlyerRun(const FlyerSetup& setup, const std::vector<std::string>& args);

    // Waits until the screen shows something the game drew.
    bool WaitForFrames();
    // Real key events through the X server: "keydown Up", "key Escape".
    void Xdotool(const std::string& command);
    // Waits for the end; the exit status, or -1 after a minute.
    int Wait() { return process_->Wait(60); }
    Subprocess& Process() { return *process_; }
    std::string Stdout() const { return process_->Stdout(); }
    // A line "SDL_Quit <frames swapped>" for each call of SDL_Quit.
    std::string QuitLog() const { return ReadFile(log_.File("quit")); }

private:
    std::string display_;
    TempDir log_;
    std::unique_ptr<Subprocess> process_;
};

// Whether the runs use sdl12-compat.
bool CompatSdl();
std::string FlyerBinary();
std::string DataDirectory();
void Sleep(double seconds);
