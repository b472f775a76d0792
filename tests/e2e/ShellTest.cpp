#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "FlyerRun.h"
#include "GlTrace.h"
#include "TestFiles.h"

namespace {

const char kUsage[] = "Usage: %s <level> <resolution>\nExample: %s local.lvl 1024\n";

std::string UsageFor(const std::string& program)
{
    char text[512];
    snprintf(text, sizeof text, kUsage, program.c_str(), program.c_str());
    return text;
}

TEST(Shell, BadCommandLinesPrintUsageWithoutADisplay)
{
    Subprocess::Options noDisplay;
    noDisplay.unset = {"DISPLAY"};
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"a.lvl"},
        {"a.lvl", "1024", "extra"},
        {"a.lvl", "1024x768"},
        {"a.lvl", " 1024"},
        {"a.lvl", "1024 "},
        {"a.lvl", "320"},
    };
    for (const auto& args : cases) {
        const CommandResult result = RunFlyer(args, noDisplay);
        EXPECT_EQ(1, result.status);
        EXPECT_EQ(UsageFor(FlyerBinary()), result.out) << (args.empty() ? "" : args.back());
    }
}

TEST(Shell, RefusedVideoModeReportsSdlsReason)
{
    XvfbServer server(1024, 768);
    TempDir dir;
    ASSERT_TRUE(WriteLevel(dir.File("l.lvl"), {}));
    Subprocess::Options options;
    options.environment["DISPLAY"] = server.Display();
    const CommandResult result = RunFlyer({dir.File("l.lvl"), "1280"}, options);
    EXPECT_EQ(1, result.status);
    const std::string prefix = "SDL_SetVideoMode(): ";
    ASSERT_EQ(0u, result.out.rfind(prefix, 0)) << result.out;
    EXPECT_GT(result.out.size(), prefix.size() + 1) << "SDL's reason follows";
    EXPECT_EQ('\n', result.out.back());
    EXPECT_EQ(result.out.size() - 1, result.out.find('\n')) << "one line";
}

TEST(Shell, EscEndsCleanlyAndCloseRequestsDoNot)
{
    XvfbServer server;
    TempDir dir;
    ASSERT_TRUE(WriteLevel(dir.File("l.lvl"), {}));
    FlyerRun run(server, {"l.lvl", "1024"}, FlyerRun::Options{dir.Path(), ""});
    ASSERT_TRUE(run.WaitForFrames());
    // SDL turns SIGTERM into the same SDL_QUIT event a window close sends.
    run.Process().Signal(SIGTERM);
    Sleep(1.0);
    EXPECT_TRUE(run.Process().Running());
    EXPECT_EQ(0, run.Quit());
    EXPECT_EQ("", run.Process().Stdout());
}

TEST(Shell, ScreenShowsTheClearColourAndPaleStars)
{
    XvfbServer server(640, 480);
    TempDir dir;
    ASSERT_TRUE(WriteLevel(dir.File("l.lvl"), {}));
    FlyerRun run(server, {"l.lvl", "640"}, FlyerRun::Options{dir.Path(), ""});
    ASSERT_TRUE(run.WaitForFrames());
    const Screenshot shot = run.Shot();
    ASSERT_EQ(640, shot.width);
    int background = 0, stars = 0;
    for (int y = 0; y < shot.height; ++y) {
        for (int x = 0; x < shot.width; ++x) {
            const Rgb p = shot.At(x, y);
            if (p.r == 0 && p.g == 0 && p.b >= 12 && p.b <= 13)
                ++background;
            // Pale: green about 0.7 with red and blue at 0.5 or more,
            // dimmed at most by the point smoothing.
            else if (p.g > 60 && p.r > 40 && p.b > 40 && std::abs(p.r - p.b) < 140)
                ++stars;
        }
    }
    EXPECT_GT(background, 640 * 480 * 8 / 10);
    EXPECT_GT(stars, 100);
    EXPECT_EQ(0, run.Quit());
}

TEST(Shell, TraceShowsStartUpStateAndTheFrameOrder)
{
    XvfbServer server;
    TempDir dir;
    ASSERT_TRUE(WriteLevel(dir.File("l.lvl"), {}));
    const std::string trace = dir.File("run.trace");
    {
        FlyerRun run(server, {"l.lvl", "640"}, FlyerRun::Options{dir.Path(), trace});
        ASSERT_TRUE(run.WaitForFrames(60));
        ASSERT_EQ(0, run.Quit(60));
    }
    // Only the calls up to the third frame's end: a whole trace is large.
    const GlTrace heads = DumpTrace(trace, {"--grep=glXSwapBuffers"});
    ASSERT_GE(heads.SwapCount(), 3u);
    const GlTrace start = DumpTrace(trace, {"--calls=0-" + std::to_string(heads.frames[1][0].number)});
    ASSERT_EQ(3u, start.frames.size());

    std::vector<std::string> names;
    for (const GlCall& call : start.frames[0])
        names.push_back(call.name + "(" + call.args + ")");
    const std::vector<std::string> initGl = {
        "glEnable(cap = GL_POINT_SMOOTH)", "glEnable(cap = GL_POLYGON_SMOOTH)",
        "glEnable(cap = GL_LINE_SMOOTH)", "glEnable(cap = GL_TEXTURE_2D)",
        "glDisable(cap = GL_BLEND)", "glDisable(cap = GL_DEPTH_TEST)",
        "glDisable(cap = GL_LIGHTING)", "glPointSize(size = 1)",
        "glClearColor(red = 0, green = 0, blue = 0.05, alpha = 0)",
        "glBlendFunc(sfactor = GL_SRC_ALPHA, dfactor = GL_ONE_MINUS_SRC_ALPHA)",
        "glViewport(x = 0, y = 0, width = 640, height = 480)",
        "glMatrixMode(mode = GL_PROJECTION)", "glLoadIdentity()",
        "glFrustum(left = -1, right = 1, bottom = -0.75, top = 0.75, zNear = 1, zFar = 1000)",
        "glMatrixMode(mode = GL_MODELVIEW)", "glLoadIdentity()"};
    auto at = std::search(names.begin(), names.end(), initGl.begin(), initGl.end());
    EXPECT_NE(names.end(), at) << "InitGL's calls in order";

    // A frame of the loop: clear, identity, camera, then 20000 stars in one
    // batch of points with texture 0.
    const std::vector<GlCall>& frame = start.frames[1];
    ASSERT_GT(frame.size(), 40006u);
    EXPECT_EQ("glClear", frame[0].name);
    EXPECT_EQ("mask = GL_COLOR_BUFFER_BIT", frame[0].args);
    EXPECT_EQ("glLoadIdentity", frame[1].name);
    EXPECT_EQ("glTranslatef", frame[2].name);
    EXPECT_EQ("x = -512, y = -512, z = -20", frame[2].args);
    EXPECT_EQ("glPointSize(size = 1)", frame[3].name + "(" + frame[3].args + ")");
    EXPECT_EQ("target = GL_TEXTURE_2D, texture = 0", frame[4].args);
    EXPECT_EQ("mode = GL_POINTS", frame[5].args);
    for (size_t i = 0; i < 20000; ++i) {
        ASSERT_EQ("glColor3fv", frame[6 + 2 * i].name);
        ASSERT_EQ("glVertex3fv", frame[7 + 2 * i].name);
    }
    EXPECT_EQ("glEnd", frame[40006].name);
    EXPECT_EQ("glXSwapBuffers", frame.back().name);

    // The frame in which Esc came is still swapped; after it the run only
    // tears the context down.
    const GlTrace tail = DumpTrace(trace, {"--calls=" + std::to_string(heads.frames[heads.SwapCount() - 1][0].number) + "-"});
    ASSERT_FALSE(tail.frames.empty());
    for (const GlCall& call : tail.frames.back())
        EXPECT_EQ(0u, call.name.rfind("glX", 0)) << call.name;
}

}  // namespace
