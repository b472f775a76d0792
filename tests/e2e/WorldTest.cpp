#include <SDL.h>
#include <gtest/gtest.h>

#include <sstream>

#include "FlyerRun.h"
#include "world/LevelRecord.h"

namespace {

// The second frame of each mode with tile 5 in cell (515, 510): three
// units right of the ship at (512, 512) and one to two below, 16 pixels a
// unit, the bitmap's top row at the top, over pale stars on the clear
// colour (0, 0, 13).
TEST(World, TileStandsAtItsPlaceOverTheStars)
{
    for (const int width : {640, 1024}) {
        const int height = width * 3 / 4;
        XvfbServer server(width, height);
        TempDir dir;
        WriteLevel(dir.File("l.lvl"), {EncodeCellRecord(515, 1023 - 510, 5)});
        FlyerSetup setup(server.Display(), dir.Path(), {{2, SDLK_ESCAPE, true}});
        setup.shotFrame = 2;
        EXPECT_EQ(0, StartFlyer(setup, {"l.lvl", std::to_string(width)})->Wait(60));
        const std::string rgb = ReadFile(dir.File("shot.rgb"));
        ASSERT_EQ(3u * width * height, rgb.size());
        // 0xRRGGBB at (x, y), y from the top; the rows come bottom first.
        auto at = [&](int x, int y) {
            const size_t i = 3 * (static_cast<size_t>(height - 1 - y) * width + x);
            return uint32_t(uint8_t(rgb[i])) << 16 | uint32_t(uint8_t(rgb[i + 1])) << 8 | uint8_t(rgb[i + 2]);
        };
        const int x = width / 2 + 48, y = height / 2 + 16;  // the tile's top-left pixel
        const uint32_t upper = TestTileColour(5), lower = TestTileLowerColour(upper);
        EXPECT_EQ(std::vector<uint32_t>({upper, upper, lower, lower}),
                  std::vector<uint32_t>({at(x, y), at(x + 15, y + 7), at(x, y + 8), at(x + 15, y + 15)}));
        for (uint32_t outside : {at(x - 1, y + 4), at(x + 16, y + 4), at(x + 7, y - 1), at(x + 7, y + 16)})
            EXPECT_TRUE(outside != upper && outside != lower) << width;
        int background = 0, stars = 0;
        for (int i = 0; i < width * height; ++i) {
            const uint32_t p = at(i % width, i / width);
            background += p == 0x00000D;
            stars += (p >> 8 & 0xFF) > 60 && (p >> 16) > 40 && (p & 0xFF) > 40;
        }
        EXPECT_GT(background, width * height * 8 / 10);
        EXPECT_GT(stars, 100);
    }
}

// The second and last frame, back to front: clear, camera, the stars in
// one batch of points, the three tiles in view (not the far one), the
// empty exhaust batch, all 1000 bullet slots, the empty fleet, the ship.
TEST(World, FrameDrawsBackToFront)
{
    XvfbServer server(640, 480);
    TempDir dir;
    WriteLevel(dir.File("l.lvl"), {EncodeCellRecord(500, 518, 1), EncodeCellRecord(520, 508, 2),
                                   EncodeCellRecord(512, 503, 3), EncodeCellRecord(100, 923, 4)});
    ASSERT_EQ(0, StartFlyer({server.Display(), dir.Path(), {{2, SDLK_ESCAPE, true}}, dir.File("t")}, {"l.lvl", "640"})->Wait(60));
    const auto frames = DumpTrace(dir.File("t"), "--grep=^(glClear|glTranslatef|glBegin|glEnable|glDisable|glXSwapBuffers)$");
    ASSERT_GE(frames.size(), 3u);
    // Each call as a word, glBegin by its mode, GL_BLEND on and off as
    // +blend and -blend; repeats counted.
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
    // sdl12-compat clears once more inside its swap.
    EXPECT_EQ("glClear glTranslatef GL_POINTS -blend GL_QUADS*3 +blend GL_QUADS -blend +blend GL_QUADS*1000 +blend -blend "
              "+blend glTranslatef GL_QUADS -blend " + std::string(CompatSdl() ? "glClear " : "") + "glXSwapBuffers",
              words.str());
}

}  // namespace
