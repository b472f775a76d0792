#include <gtest/gtest.h>

#include "FlyerRun.h"
#include "GlTrace.h"
#include "TestFiles.h"
#include "world/LevelRecord.h"

namespace {

// A record for tile `tile` in world cell (x, y), y growing upward.
uint32_t Cell(uint32_t x, uint32_t y, uint32_t tile)
{
    return EncodeCellRecord(x, 1023 - y, tile);
}

void ExpectColour(const Screenshot& shot, int x, int y, uint32_t rgb)
{
    const Rgb p = shot.At(x, y);
    EXPECT_EQ((rgb >> 16) & 0xFF, p.r) << x << "," << y;
    EXPECT_EQ((rgb >> 8) & 0xFF, p.g) << x << "," << y;
    EXPECT_EQ(rgb & 0xFF, p.b) << x << "," << y;
}

void ExpectTileAtItsPlace(int width, int height, const std::string& resolution)
{
    XvfbServer server(width, height);
    TempDir dir;
    // Tile 5 in cell (515, 510): three units right of the ship at (512,
    // 512) and one to two units below it.
    ASSERT_TRUE(WriteLevel(dir.File("l.lvl"), {Cell(515, 510, 5)}));
    FlyerRun run(server, {"l.lvl", resolution}, FlyerRun::Options{dir.Path(), ""});
    ASSERT_TRUE(run.WaitForFrames());
    const Screenshot shot = run.Shot();
    ASSERT_EQ(width, shot.width);
    const int cx = width / 2, cy = height / 2;  // world (512, 512)
    const uint32_t upper = TestTileColour(5);
    // 16 pixels a unit: x 515..516 is screen x cx+48..cx+63, world y
    // 511..510 is screen y cy+16..cy+31, the bitmap's top row at the top.
    ExpectColour(shot, cx + 48, cy + 16, upper);
    ExpectColour(shot, cx + 63, cy + 23, upper);
    ExpectColour(shot, cx + 48, cy + 24, TestTileLowerColour(upper));
    ExpectColour(shot, cx + 63, cy + 31, TestTileLowerColour(upper));
    for (const auto& outside : {std::make_pair(cx + 47, cy + 20), std::make_pair(cx + 64, cy + 20),
                                std::make_pair(cx + 55, cy + 15), std::make_pair(cx + 55, cy + 32)}) {
        const Rgb p = shot.At(outside.first, outside.second);
        EXPECT_FALSE(p.r == ((upper >> 16) & 0xFF) && p.g == ((upper >> 8) & 0xFF))
            << outside.first << "," << outside.second;
    }
    EXPECT_EQ(0, run.Quit());
}

TEST(World, TileIsDrawnAtItsPlaceAt1024)
{
    ExpectTileAtItsPlace(1024, 768, "1024");
}

TEST(World, TileIsDrawnAtItsPlaceAt640)
{
    ExpectTileAtItsPlace(640, 480, "640");
}

TEST(World, LoadFailuresPrintTheirLinesAndEndWithStatusOne)
{
    XvfbServer server;
    TempDir dir;
    Subprocess::Options options;
    options.environment["DISPLAY"] = server.Display();
    options.workingDirectory = dir.Path();

    CommandResult missing = RunFlyer({"none.lvl", "640"}, options);
    EXPECT_EQ(1, missing.status);
    EXPECT_EQ("SDL_LoadBMP(): Couldn't open none.lvl\ng_Map.Load(): none.lvl\n", missing.out);

    WriteFile(dir.File("text.lvl"), "This is not a bitmap, just some text.");
    CommandResult text = RunFlyer({"text.lvl", "640"}, options);
    EXPECT_EQ(1, text.status);
    EXPECT_EQ("SDL_LoadBMP(): File is not a Windows BMP file\ng_Map.Load(): text.lvl\n", text.out);

    ASSERT_TRUE(WriteBmp(dir.File("tall.lvl"), 304, 161, [](int, int) { return 0x445566u; }));
    CommandResult tall = RunFlyer({"tall.lvl", "640"}, options);
    EXPECT_EQ(1, tall.status);
    EXPECT_EQ("g_Map.Load(): tall.lvl\n", tall.out);
}

TEST(World, BareTilesetLoadsAndMissingSpritesStillReachTheLoop)
{
    XvfbServer server(640, 480);
    TempDir dir;
    ASSERT_TRUE(WriteLevel(dir.File("bare.lvl"), {}));
    FlyerRun run(server, {"bare.lvl", "640"}, FlyerRun::Options{dir.Path(), ""});
    ASSERT_TRUE(run.WaitForFrames());
    // Without ship.bmp the ship is a plain white 2 x 2 square at the centre.
    const Screenshot shot = run.Shot();
    for (const auto& at : {std::make_pair(320 - 15, 240 - 15), std::make_pair(320 + 14, 240 + 14)})
        ExpectColour(shot, at.first, at.second, 0xFFFFFF);
    EXPECT_EQ(0, run.Quit());
    EXPECT_EQ("", run.Process().Stdout());
}

TEST(World, DefaultShipSpriteShowsItsColours)
{
    XvfbServer server(640, 480);
    TempDir dir;
    ASSERT_TRUE(WriteLevel(dir.File("l.lvl"), {}));
    for (const char* sprite : {"ship.bmp", "bullet.bmp", "ships.bmp"})
        WriteFile(dir.File(sprite), ReadFile(DataDirectory() + "/" + sprite));
    FlyerRun run(server, {"l.lvl", "640"}, FlyerRun::Options{dir.Path(), ""});
    ASSERT_TRUE(run.WaitForFrames());
    const Screenshot shot = run.Shot();
    int white = 0, coloured = 0;
    for (int y = 224; y < 256; ++y)
        for (int x = 304; x < 336; ++x) {
            const Rgb p = shot.At(x, y);
            white += p.r == 255 && p.g == 255 && p.b == 255 ? 1 : 0;
            coloured += p.b > p.r + 20 ? 1 : 0;
        }
    EXPECT_LT(white, 50) << "not the untextured square";
    EXPECT_GT(coloured, 100) << "the ship's blue hull";
    // The black corners are keyed out: the background shows through.
    ExpectColour(shot, 305, 225, 0x00000D);
    EXPECT_EQ(0, run.Quit());
}

// Counts GL_QUADS batches from `from` up to the first call named `stop`
// with the given arguments, and returns the index of that call.
size_t CountQuads(const std::vector<GlCall>& frame, size_t from, const std::string& stop,
                  const std::string& stopArgs, int* quads)
{
    *quads = 0;
    for (size_t i = from; i < frame.size(); ++i) {
        if (frame[i].name == stop && frame[i].args == stopArgs)
            return i;
        if (frame[i].name == "glBegin" && frame[i].args == "mode = GL_QUADS")
            ++*quads;
    }
    return frame.size();
}

TEST(World, OneFrameDrawsInOrderWithItsQuadCounts)
{
    XvfbServer server;
    TempDir dir;
    // Three tiles in the 640 window around (512, 512), one far outside.
    ASSERT_TRUE(WriteLevel(dir.File("l.lvl"), {Cell(500, 505, 1), Cell(520, 515, 2), Cell(512, 520, 3), Cell(100, 100, 4)}));
    const std::string trace = dir.File("run.trace");
    {
        FlyerRun run(server, {"l.lvl", "640"}, FlyerRun::Options{dir.Path(), trace});
        ASSERT_TRUE(run.WaitForFrames(60));
        ASSERT_EQ(0, run.Quit(60));
    }
    const GlTrace swaps = DumpTrace(trace, {"--grep=glXSwapBuffers"});
    ASSERT_GE(swaps.SwapCount(), 3u);
    const GlTrace two = DumpTrace(trace, {"--calls=" + std::to_string(swaps.frames[0][0].number + 1) + "-" +
                                              std::to_string(swaps.frames[1][0].number)});
    ASSERT_EQ(2u, two.frames.size());
    const std::vector<GlCall>& frame = two.frames[0];

    // Stars end with their one batch of points.
    size_t at = 0;
    while (at < frame.size() && frame[at].args != "mode = GL_POINTS")
        ++at;
    at += 1 + 2 * 20000;
    ASSERT_LT(at, frame.size());
    ASSERT_EQ("glEnd", frame[at].name);

    // The map window: blend off, white, then one bound quad per tile.
    EXPECT_EQ("glDisable(cap = GL_BLEND)", frame[at + 1].name + "(" + frame[at + 1].args + ")");
    EXPECT_EQ("glColor3f", frame[at + 2].name);
    int tiles = 0;
    at = CountQuads(frame, at + 3, "glPointSize", "size = 2", &tiles);
    EXPECT_EQ(3, tiles);

    // The exhaust: one batch, empty while the ship does not thrust.
    ASSERT_LT(at + 6, frame.size());
    EXPECT_EQ("glBindTexture", frame[at + 1].name);
    EXPECT_EQ("cap = GL_BLEND", frame[at + 2].args);
    EXPECT_EQ("glEnable", frame[at + 2].name);
    EXPECT_EQ("mode = GL_QUADS", frame[at + 3].args);
    EXPECT_EQ("glEnd", frame[at + 4].name);
    EXPECT_EQ("glDisable", frame[at + 5].name);

    // The bullets: blend on, then all 1000 slots, each with its own bind.
    EXPECT_EQ("glEnable", frame[at + 6].name);
    int bullets = 0;
    at = CountQuads(frame, at + 7, "glEnable", "cap = GL_BLEND", &bullets);
    EXPECT_EQ(1000, bullets);

    // The fleet: empty, so blend on, white, one bind, blend off.
    ASSERT_LT(at + 4, frame.size());
    EXPECT_EQ("glColor3f", frame[at + 1].name);
    EXPECT_EQ("glBindTexture", frame[at + 2].name);
    EXPECT_EQ("glDisable", frame[at + 3].name);

    // The player ship last, at (512, 512), unrotated.
    const std::vector<std::string> ship = {"glBindTexture", "glColor3f", "glEnable", "glPushMatrix", "glTranslatef",
                                           "glRotatef", "glBegin", "glTexCoord2f", "glVertex3f", "glTexCoord2f",
                                           "glVertex3f", "glTexCoord2f", "glVertex3f", "glTexCoord2f", "glVertex3f",
                                           "glEnd", "glPopMatrix", "glDisable", "glXSwapBuffers"};
    ASSERT_EQ(at + 4 + ship.size(), frame.size());
    for (size_t i = 0; i < ship.size(); ++i)
        EXPECT_EQ(ship[i], frame[at + 4 + i].name) << i;
    EXPECT_EQ("x = 512, y = 512, z = 0", frame[at + 8].args);
    EXPECT_EQ("angle = 0, x = 0, y = 0, z = -1", frame[at + 9].args);
}

}  // namespace
