#include <SDL.h>
#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>
#include <thread>

#include "FlyerRun.h"

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

}  // namespace
