#include <GL/gl.h>
#include <SDL.h>

#include <memory>

#include <gtest/gtest.h>

#include "FlyerRun.h"
#include "app/GameState.h"
#include "app/Video.h"
#include "app/WorldObjects.h"

namespace {

// The game's own video set-up at 640 x 480 on a private Xvfb: a real GL context as start-up leaves
// it.
class GlContext : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("DISPLAY", server_.Display().c_str(), 1);
        g_ScreenWidth = 640;
        g_ScreenHeight = 480;
        ResetGameState();
        ASSERT_TRUE(InitVideo());
    }
    void TearDown() override { SDL_Quit(); }
    XvfbServer server_{640, 480};
};

// A texture's texels as 0xAARRGGBB, row 0 first, and its size.
std::vector<uint32_t> Texels(unsigned texture, int* width, int* height)
{
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, height);
    std::vector<uint32_t> texels(static_cast<size_t>(*width) * *height);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, texels.data());
    return texels;
}

std::vector<GLint> Filters()
{
    GLint filters[2];
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &filters[0]);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filters[1]);
    return {filters[0], filters[1]};
}

// A unit at the camera's distance of 20 is 16 pixels both ways: the frustum is 2 wide and 1.5 high
// at the near plane 1.
TEST_F(GlContext, StartUpHidesTheCursorBlendsBySourceAlphaAndProjectsSquarePixels)
{
    GLint blend[2];
    glGetIntegerv(GL_BLEND_SRC, &blend[0]);
    glGetIntegerv(GL_BLEND_DST, &blend[1]);
    EXPECT_EQ((std::vector<GLint>{GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA}),
              std::vector<GLint>(blend, blend + 2));
    GLfloat projection[16], clear[4];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_EQ((std::vector<float>{1, 4 / 3.0f, 0, 0, 0.05f}),
              (std::vector<float>{projection[0], projection[5], clear[0], clear[1], clear[2]}));
    EXPECT_EQ(0, SDL_ShowCursor(SDL_QUERY));
}

TEST_F(GlContext, SpritesUploadKeyedIntoPowerOfTwoTexturesAndRefuseOtherSizes)
{
    // Each sprite: a black border one pixel wide, a red upper half and a green lower half.
    TempDir dir;
    auto sprite = [](int w, int h) {
        return [w, h](int x, int y) {
            return x % (w - 1) == 0 || y % (h - 1) == 0 ? 0u : y < h / 2 ? 0xFF0000u : 0xFF00u;
        };
    };
    const int sizes[][2] = {{8, 8}, {16, 16}, {32, 32}, {36, 36}, {36, 35}, {288, 36}};
    for (const auto& size : sizes)
        ASSERT_TRUE(WriteBmp(dir.File(std::to_string(size[0] * 1000 + size[1])), size[0], size[1],
                             sprite(size[0], size[1])));
    PlayerShip ship{};
    EXPECT_FALSE(ship.LoadTexture(dir.File("32032").c_str()) ||
                 ship.LoadTexture(dir.File("36035").c_str()) || ship.texture);
    ASSERT_TRUE(ship.LoadTexture(dir.File("36036").c_str()));
    EXPECT_EQ((std::vector<float>{0, 0.5625f, 0.5625f, 0}),
              (std::vector<float>{ship.texRect.top, ship.texRect.bottom, ship.texRect.right,
                                  ship.texRect.left}));
    int w = 0, h = 0;
    const std::vector<uint32_t> texels = Texels(ship.texture, &w, &h);
    ASSERT_EQ(64 * 64, w * h);
    // clang-format off
    const uint32_t at[][3] = {
        {0, 0, 0},  // x, y, texel: the border is clear, the halves opaque, the padding clear
        {35, 20, 0},
        {1, 1, 0xFFFF0000u},
        {34, 34, 0xFF00FF00u},
        {36, 10, 0},
        {10, 36, 0},
        {63, 63, 0},
    };
    // clang-format on
    for (const auto& texel : at)
        EXPECT_EQ(texel[2], texels[texel[1] * w + texel[0]]) << texel[0] << "," << texel[1];
    EXPECT_EQ((std::vector<GLint>{GL_NEAREST, GL_NEAREST}), Filters());
    std::unique_ptr<BulletPool> bullets(new BulletPool());
    EXPECT_FALSE(bullets->LoadTexture(dir.File("16016").c_str()));
    EXPECT_TRUE(bullets->LoadTexture(dir.File("8008").c_str()));
    EXPECT_EQ((std::vector<float>{1, 1}),
              (std::vector<float>{bullets->texRect.bottom, bullets->texRect.right}));
    std::unique_ptr<ShipFleet> fleet(new ShipFleet());
    ASSERT_TRUE(fleet->LoadTexture(dir.File("288036").c_str()));
    EXPECT_EQ((std::vector<float>{36 / 512.0f, 252 / 512.0f, 288 / 512.0f, 0.5625f}),
              (std::vector<float>{fleet->frames[0].right, fleet->frames[7].left,
                                  fleet->frames[7].right, fleet->frames[7].bottom}));
    // The shipped sprites: sizes the loaders take, their black corners clear.
    ASSERT_TRUE(ship.LoadTexture(FLYER_DATA_DIR "/ship.bmp") &&
                bullets->LoadTexture(FLYER_DATA_DIR "/bullet.bmp") &&
                fleet->LoadTexture(FLYER_DATA_DIR "/ships.bmp"));
    for (unsigned texture : {ship.texture, bullets->texture, fleet->texture})
        EXPECT_EQ(0u, Texels(texture, &w, &h)[0] >> 24) << texture;
}

TEST_F(GlContext, ExhaustSpotIsCentredOnTexelEightEight)
{
    std::unique_ptr<ParticleEmitter> emitter(new ParticleEmitter());
    ASSERT_TRUE(emitter->MakeTexture());
    int w = 0, h = 0;
    const std::vector<uint32_t> texels = Texels(emitter->texture, &w, &h);
    ASSERT_EQ(16 * 16, w * h);
    EXPECT_EQ((std::vector<GLint>{GL_LINEAR, GL_LINEAR}), Filters());
    const uint32_t row8[16] = {0,   31,  63,  95,  127, 159, 191, 223,
                               255, 223, 191, 159, 127, 95,  63,  31};
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(row8[i] << 24 | 0xFFFFFF, texels[8 * 16 + i]) << i;
        EXPECT_EQ(0xFFFFFFu, texels[i] | texels[i * 16]) << "row 0 and column 0 are clear: " << i;
    }
    // (9, 10): 32 x sqrt(5) = 71.55 rounds down, so 255 - 71 = 184.
    EXPECT_EQ((std::vector<uint32_t>{0x1FFFFFFF, 0xD2FFFFFF, 0xB8FFFFFF}),
              (std::vector<uint32_t>{texels[1 * 16 + 8], texels[9 * 16 + 9], texels[10 * 16 + 9]}));
}

TEST_F(GlContext, LevelTilesAreCutInOrderAndUploadedOpaqueAndUpright)
{
    TempDir dir;
    ASSERT_TRUE(WriteLevel(dir.File("l.lvl"), {0x01000000u}));
    std::unique_ptr<TileMap> map(new TileMap());
    ASSERT_TRUE(map->Load(dir.File("l.lvl").c_str()));
    for (uint32_t tile : {1u, 19u, 20u, 190u}) {
        int w = 0, h = 0;
        const std::vector<uint32_t> texels = Texels(map->textures[tile - 1], &w, &h);
        ASSERT_EQ(16, w);
        EXPECT_EQ(0xFF000000u | TestTileColour(tile), texels[3]) << tile;
        EXPECT_EQ(0xFF000000u | TestTileLowerColour(TestTileColour(tile)), texels[15 * 16 + 3])
            << tile;
    }
}

}  // namespace
