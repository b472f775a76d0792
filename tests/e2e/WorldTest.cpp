#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>

#include "FlyerRun.h"
#include "GlTrace.h"
#include "world/LevelRecord.h"

namespace {

// A record for tile `tile` in world cell (x, y), y growing upward.
uint32_t Cell(uint32_t x, uint32_t y, uint32_t tile)
{
    return EncodeCellRecord(x, 1023 - y, tile);
}

// On a screen of the mode's size, tile 5 in cell (515, 510), three units
// right of the ship at (512, 512) and one to two below it, covers 16
// pixels a unit with the bitmap's top row at the top, over stars on the
// clear colour.
TEST(World, TileStandsAtItsPlaceOverTheStars)
{
    for (const auto& mode : std::map<std::string, std::pair<int, int>>{{"640", {640, 480}}, {"1024", {1024, 768}}}) {
        XvfbServer server(mode.second.first, mode.second.second);
        TempDir dir;
        WriteLevel(dir.File("l.lvl"), {Cell(515, 510, 5)});
        FlyerRun run({server.Display(), dir.Path()}, {"l.lvl", mode.first});
        ASSERT_TRUE(run.WaitForFrames());
        const Screenshot shot(server.Display());
        run.Xdotool("key Escape");
        EXPECT_EQ(0, run.Wait());
        ASSERT_EQ(mode.second.first, shot.width);
        const int x = shot.width / 2 + 48, y = shot.height / 2 + 16;  // the tile's top-left pixel
        const uint32_t upper = TestTileColour(5), lower = TestTileLowerColour(upper);
        const std::vector<std::pair<uint32_t, uint32_t>> seen = {
            {upper, shot.At(x, y)}, {upper, shot.At(x + 15, y + 7)}, {lower, shot.At(x, y + 8)},
            {lower, shot.At(x + 15, y + 15)}};
        for (const auto& pixel : seen)
            EXPECT_EQ(pixel.first, pixel.second) << mode.first;
        for (uint32_t outside : {shot.At(x - 1, y + 4), shot.At(x + 16, y + 4), shot.At(x + 7, y - 1), shot.At(x + 7, y + 16)})
            EXPECT_TRUE(outside != upper && outside != lower) << mode.first;
        // Pale stars: green about 0.7, red and blue 0.5 or more.
        int background = 0, stars = 0;
        for (int i = 0; i < shot.width * shot.height; ++i) {
            const uint32_t p = shot.At(i % shot.width, i / shot.width);
            background += p == 0x00000D;
            stars += (p >> 8 & 0xFF) > 60 && (p >> 16) > 40 && (p & 0xFF) > 40;
        }
        EXPECT_GT(background, shot.width * shot.height * 8 / 10);
        EXPECT_GT(stars, 100);
    }
}

// Without ship.bmp the ship is a plain white 2 x 2 unit square at the
// centre; the default sprite shows its blue hull with its black corners
// keyed out.
TEST(World, ShipSpriteOrWhiteSquareWithoutIt)
{
    XvfbServer server(640, 480);
    TempDir dir;
    WriteLevel(dir.File("l.lvl"), {});
    for (bool sprites : {false, true}) {
        for (const char* sprite : {"ship.bmp", "bullet.bmp", "ships.bmp"})
            if (sprites)
                WriteFile(dir.File(sprite), ReadFile(DataDirectory() + "/" + sprite));
        FlyerRun run({server.Display(), dir.Path()}, {"l.lvl", "640"});
        ASSERT_TRUE(run.WaitForFrames());
        const Screenshot shot(server.Display());
        run.Xdotool("key Escape");
        EXPECT_EQ(0, run.Wait());
        EXPECT_EQ("", run.Stdout());
        int white = 0, blue = 0;
        for (int y = 225; y < 255; ++y)
            for (int x = 305; x < 335; ++x) {
                white += shot.At(x, y) == 0xFFFFFF;
                blue += (shot.At(x, y) & 0xFF) > (shot.At(x, y) >> 16) + 20;
            }
        EXPECT_EQ(sprites ? 0x00000Du : 0xFFFFFFu, shot.At(305, 225));
        if (sprites) {
            EXPECT_LT(white, 50);
            EXPECT_GT(blue, 100);
        } else {
            EXPECT_EQ(30 * 30, white);
        }
    }
}

// The second and last frame, drawn back to front: clear, camera, the stars in one
// batch of points, the three tiles in view (not the far one), the empty
// exhaust batch, all 1000 bullet slots, the empty fleet, the player ship.
TEST(World, FrameDrawsBackToFront)
{
    XvfbServer server(640, 480);
    TempDir dir;
    WriteLevel(dir.File("l.lvl"), {Cell(500, 505, 1), Cell(520, 515, 2), Cell(512, 520, 3), Cell(100, 100, 4)});
    FlyerRun run({server.Display(), dir.Path(), {{2, SDLK_ESCAPE, true}}, dir.File("t")}, {"l.lvl", "640"});
    ASSERT_EQ(0, run.Wait());
    const auto frames = DumpTrace(dir.File("t"), {"--grep=^(glClear|glTranslatef|glBegin|glEnable|glDisable|glXSwapBuffers)$"});
    // sdl12-compat swaps once more, before the first frame.
    ASSERT_GE(frames.size(), 3u);
    // Each call as a word (glBegin by its mode, GL_BLEND switched on or
    // off as +blend or -blend), repeats counted.
    std::ostringstream words;
    std::string last;
    int repeats = 0;
    for (const GlCall& call : frames[frames.size() - 2]) {
        const std::string word = call.name == "glBegin" ? call.args.substr(7)
                                 : call.args == "cap = GL_BLEND" ? (call.name == "glEnable" ? "+blend" : "-blend")
                                                                 : call.name;
        if (word != last && repeats > 0)
            words << last << (repeats > 1 ? "*" + std::to_string(repeats) : "") << " ";
        repeats = word == last ? repeats + 1 : 1;
        last = word;
    }
    words << last;
    EXPECT_EQ("glClear glTranslatef GL_POINTS -blend GL_QUADS*3 +blend GL_QUADS -blend +blend GL_QUADS*1000 "
              "+blend -blend +blend glTranslatef GL_QUADS -blend " +
                  // sdl12-compat clears once more inside its swap.
                  std::string(CompatSdl() ? "glClear " : "") + "glXSwapBuffers",
              words.str());
}

}  // namespace
