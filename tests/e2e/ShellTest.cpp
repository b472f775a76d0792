#include <SDL.h>
#include <gtest/gtest.h>
#include <signal.h>

#include "FlyerRun.h"

namespace {

TEST(Shell, BadCommandLinesPrintUsageWithoutADisplay)
{
    const std::string usage =
        "Usage: " + FlyerBinary() + " <level> <resolution>\nExample: " + FlyerBinary() + " local.lvl 1024\n";
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {}, {"a.lvl"}, {"a.lvl", "1024", "extra"}, {"a.lvl", "1024x768"}, {"a.lvl", " 1024"}, {"a.lvl", "320"}}) {
        FlyerRun run({}, args);
        EXPECT_EQ(1, run.Wait());
        EXPECT_EQ(usage, run.Stdout()) << args.size();
    }
}

TEST(Shell, SdlInitFailureReportsSdlsReason)
{
    FlyerSetup setup;
    setup.environment["SDL_VIDEODRIVER"] = "none";
    FlyerRun run(setup, {"a.lvl", "640"});
    EXPECT_EQ(1, run.Wait());
    // Each SDL words the reason its own way.
    EXPECT_EQ(CompatSdl() ? "SDL_Init(): none not available\n" : "SDL_Init(): No available video device\n", run.Stdout());
}

TEST(Shell, ModeLargerThanTheScreen)
{
    XvfbServer server(1024, 768);
    TempDir dir;
    WriteLevel(dir.File("l.lvl"), {});
    FlyerRun run({server.Display(), dir.Path(), {{3, SDLK_ESCAPE, true}}}, {"l.lvl", "1280"});
    if (CompatSdl()) {
        // sdl12-compat emulates every mode, so SDL_SetVideoMode never
        // refuses one: the game runs.
        EXPECT_EQ(0, run.Wait());
        EXPECT_EQ("", run.Stdout());
    } else {
        EXPECT_EQ(1, run.Wait());
        EXPECT_EQ("SDL_SetVideoMode(): No video mode large enough for 1280x1024\n", run.Stdout());
    }
}

// The frame in which Esc comes is still shown, and the loop ends before
// the next. A GL error still pending then gives its message and status 1,
// and SDL is shut down on both ways out.
TEST(Shell, EscEndsAfterItsFrameWithStatusZeroOrOneAfterAGlError)
{
    XvfbServer server(640, 480);
    TempDir dir;
    WriteLevel(dir.File("l.lvl"), {});
    for (unsigned glErrorFrame : {0, 2}) {
        FlyerSetup setup(server.Display(), dir.Path(), {{3, SDLK_ESCAPE, true}});
        setup.glErrorFrame = glErrorFrame;
        FlyerRun run(setup, {"l.lvl", "640"});
        EXPECT_EQ(glErrorFrame ? 1 : 0, run.Wait());
        EXPECT_EQ(glErrorFrame ? "There was an OpenGL error\n" : "", run.Stdout());
        EXPECT_EQ("SDL_Quit 3\n", run.QuitLog());
    }
}

// Real keys: SDL turns SIGTERM into the SDL_QUIT event a window close
// sends, which does not end the game; a real Esc does.
TEST(Shell, RealEscEndsTheGameAndCloseRequestsDoNot)
{
    XvfbServer server(640, 480);
    TempDir dir;
    WriteLevel(dir.File("l.lvl"), {});
    FlyerRun run({server.Display(), dir.Path()}, {"l.lvl", "640"});
    ASSERT_TRUE(run.WaitForFrames());
    run.Process().Signal(SIGTERM);
    Sleep(0.5);
    EXPECT_TRUE(run.Process().Running());
    run.Xdotool("key Escape");
    EXPECT_EQ(0, run.Wait());
    EXPECT_EQ("", run.Stdout());
}

}  // namespace
