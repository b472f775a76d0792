// The real flyer binary, run as a player runs it: its command line, start-up,
// real keys and hostile files.
#include <SDL.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <filesystem>
#include <thread>

#include "FlyerRun.h"
#include "world/LevelRecord.h"

namespace {

TEST(Shell, BadCommandLinesPrintUsageWithoutADisplay)
{
    const std::string usage =
        "Usage: " FLYER_BINARY " <level> <resolution>\nExample: " FLYER_BINARY " local.lvl 1024\n";
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{},
                                               {"a.lvl"},
                                               {"a.lvl", "1024", "extra"},
                                               {"a.lvl", "1024x768"},
                                               {"a.lvl", " 1024"},
                                               {"a.lvl", "320"}}) {
        const auto run = StartFlyer({}, args);
        EXPECT_EQ(1, run->Wait(60));
        EXPECT_EQ(usage, run->Stdout()) << args.size();
    }
}

// SDL's reason, worded by each SDL its own way.
TEST(Shell, StartUpFailureReportsSdlsReason)
{
    XvfbServer server(640, 480);
    TempDir dir;
    WriteLevel(dir.File("l.lvl"), {});
    FlyerSetup noDriver{server.Display(), dir.Path(), {{3, SDLK_ESCAPE, true}}};
    noDriver.environment["SDL_VIDEODRIVER"] = "none";
    const auto init = StartFlyer(noDriver, {"l.lvl", "640"});
    EXPECT_EQ(1, init->Wait(60));
    EXPECT_EQ(CompatSdl() ? "SDL_Init(): none not available\n"
                          : "SDL_Init(): No available video device\n",
              init->Stdout());
}

// Real keys: SDL turns SIGTERM into the SDL_QUIT event a window close
// sends, which does not end the game; Esc from the X server does.
TEST(Shell, RealEscEndsTheGameAndCloseRequestsDoNot)
{
    XvfbServer server(640, 480);
    TempDir dir;
    WriteLevel(dir.File("l.lvl"), {});
    FlyerSetup setup{server.Display(), dir.Path()};
    setup.readyFrame = 2;
    const auto run = StartFlyer(setup, {"l.lvl", "640"});
    for (int i = 0; i < 600 && run->Running() && !std::filesystem::exists(dir.File("ready")); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    run->Signal(SIGTERM);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_TRUE(run->Running());
    RunShell("xdotool key Escape", server.Display());
    EXPECT_EQ(0, run->Wait(60));
    EXPECT_EQ("", run->Stdout());
}

// Hostile files against the real binary: each row ends with its exact
// output and status. A row that loads reaches the frame loop, where a
// scripted Esc ends it.
class BadInput : public ::testing::Test {
protected:
    // `out` null for a file that plays, else the lines before "g_Map.Load()"
    // of its refusal.
    void Expect(const std::string& name, const std::string& bytes, const char* out)
    {
        if (name != "none.lvl" && name != "folder.lvl" && name != "fifo.lvl")
            WriteFile(dir_.File(name), bytes);
        const auto run =
            StartFlyer({server_.Display(), dir_.Path(), {{2, SDLK_ESCAPE, true}}}, {name, "640"});
        EXPECT_EQ(out ? 1 : 0, run->Wait(60)) << name;
        EXPECT_EQ(out ? out + ("g_Map.Load(): " + name + "\n") : "", run->Stdout()) << name;
    }
    // A tileset written by ImageMagick with the given options.
    std::string Bmp(const std::string& options, const std::string& size = "304x160")
    {
        RunShell("convert -size " + size + " gradient:red-blue " + options + dir_.File("m.bmp"),
                 "");
        return ReadFile(dir_.File("m.bmp"));
    }
    static std::string Patched(std::string bytes, size_t at, uint32_t word)
    {
        WriteLittleEndian32(word, reinterpret_cast<unsigned char*>(&bytes[at]));
        return bytes;
    }

    XvfbServer server_{640, 480};
    TempDir dir_;
};

TEST_F(BadInput, WhatIsNotA304x160BitmapIsRefused)
{
    const std::string bmp = Bmp("-type truecolor BMP3:");
    const char* const reading = "SDL_LoadBMP(): Error reading from datastream\n";
    Expect("none.lvl", "", "SDL_LoadBMP(): Couldn't open none.lvl\n");
    mkdir(dir_.File("folder.lvl").c_str(), 0755);
    Expect("folder.lvl", "", reading);
    mkfifo(dir_.File("fifo.lvl").c_str(), 0644);  // no writer: opening it would block
    Expect("fifo.lvl", "", "SDL_LoadBMP(): fifo.lvl is a FIFO or pipe, not a regular file\n");
    Expect("empty.lvl", "", reading);
    Expect("text.lvl", "#!/bin/sh\necho not a bitmap\n",
           "SDL_LoadBMP(): File is not a Windows BMP file\n");
    Expect("cut1.lvl", bmp.substr(0, 1), reading);
    for (size_t length : {2, 53})
        Expect("cut" + std::to_string(length) + ".lvl", bmp.substr(0, length),
               "SDL_LoadBMP(): BMP file headers are cut short\n");
    Expect("cutpixels.lvl", bmp.substr(0, bmp.size() / 2), reading);
    // sdl12-compat reads BMP files with SDL 2, which reads run-length ones.
    Expect("rle8.lvl", Bmp("-colors 100 -type palette -compress RLE BMP3:"),
           CompatSdl() ? nullptr : "SDL_LoadBMP(): Compressed BMP files not supported\n");
    Expect("303x16.lvl", Bmp("BMP3:", "303x16"), "");
    Expect("304x161.lvl", Bmp("BMP3:", "304x161"), "");
    Expect("wide.lvl", Patched(bmp.substr(0, 54), 18, 70000),
           "SDL_LoadBMP(): BMP file too large to load safely\n");
    // SDL keeps the depth in 8 bits: 8193 wraps to a 1-bit surface without
    // a palette, which crashed the first blit.
    for (uint32_t bits : {33, 8193})
        Expect("deep" + std::to_string(bits) + ".lvl", Patched(bmp, 26, 1 | bits << 16),
               "SDL_LoadBMP(): BMP file has a colour depth beyond 32 bits\n");
    Expect("coredeep.lvl", Patched(Bmp("-type truecolor BMP2:"), 22, 1 | 8193 << 16),
           "SDL_LoadBMP(): BMP file has a colour depth beyond 32 bits\n");
}

TEST_F(BadInput, BrokenSpritesNeverStopTheGame)
{
    WriteLevel(dir_.File("l.lvl"), {});
    const std::string ship = ReadFile(FLYER_DATA_DIR "/ship.bmp");
    for (const std::string& bytes :
         {std::string(), ship.substr(0, 30), ship.substr(0, ship.size() / 2),
          Bmp("-colors 100 -type palette -compress RLE BMP3:", "36x36"), Bmp("BMP3:", "32x36"),
          Patched(ship, 26, 1 | 8193 << 16)}) {
        for (const char* sprite : {"ship.bmp", "bullet.bmp", "ships.bmp"})
            WriteFile(dir_.File(sprite), bytes);
        Expect("l.lvl", ReadFile(dir_.File("l.lvl")), nullptr);
    }
}

}  // namespace
