#include <GL/gl.h>
#include <SDL.h>

#include <memory>

#include "GlContext.h"
#include "TestFiles.h"
#include "app/WorldObjects.h"

namespace {

// 0xAARRGGBB of texel (x, y), row 0 first.
uint32_t Texel(const std::vector<unsigned char>& texels, int width, int x, int y)
{
    const unsigned char* t = &texels[(y * width + x) * 4];
    return uint32_t(t[3]) << 24 | t[0] << 16 | t[1] << 8 | t[2];
}

TEST_F(GlContext, StartUpLeavesBlendingOffAndTheFrustumOfTheAspect)
{
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_BLEND) || glIsEnabled(GL_DEPTH_TEST) || glIsEnabled(GL_LIGHTING));
    GLint values[4];
    glGetIntegerv(GL_BLEND_SRC, &values[0]);
    glGetIntegerv(GL_BLEND_DST, &values[1]);
    EXPECT_EQ(GL_SRC_ALPHA, values[0]);
    EXPECT_EQ(GL_ONE_MINUS_SRC_ALPHA, values[1]);
    glGetIntegerv(GL_VIEWPORT, values);
    EXPECT_EQ(640, values[2]);
    EXPECT_EQ(480, values[3]);
    GLfloat m[16];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, m);
    EXPECT_EQ((std::vector<float>{0, 0, 0.05f, 0}), std::vector<float>(m, m + 4));
    glGetFloatv(GL_PROJECTION_MATRIX, m);  // glFrustum(-1, 1, -0.75, 0.75, 1, 1000)
    EXPECT_EQ((std::vector<float>{1, 1 / 0.75f, -1001 / 999.0f, -1, -2000 / 999.0f}), (std::vector<float>{m[0], m[5], m[10], m[11], m[14]}));
    EXPECT_EQ(0, SDL_ShowCursor(SDL_QUERY)) << "the cursor is hidden";
}

TEST_F(GlContext, SpritesUploadKeyedIntoPowerOfTwoTexturesAndRefuseOtherSizes)
{
    TempDir dir;
    // Black border one pixel wide, red top half, green bottom half.
    auto sprite = [](int w, int h) { return [w, h](int x, int y) -> uint32_t { return x == 0 || y == 0 || x == w - 1 || y == h - 1 ? 0 : y < h / 2 ? 0xFF0000 : 0x00FF00; }; };
    for (int size : {8, 16, 32, 36})
        ASSERT_TRUE(WriteBmp(dir.File(std::to_string(size) + ".bmp"), size, size, sprite(size, size)));
    ASSERT_TRUE(WriteBmp(dir.File("35.bmp"), 36, 35, sprite(36, 35)));
    ASSERT_TRUE(WriteBmp(dir.File("ships.bmp"), 288, 36, sprite(288, 36)));
    PlayerShip ship{};
    EXPECT_FALSE(ship.LoadTexture(dir.File("32.bmp").c_str()) || ship.LoadTexture(dir.File("35.bmp").c_str()));
    EXPECT_EQ(0u, ship.texture);
    ASSERT_TRUE(ship.LoadTexture(dir.File("36.bmp").c_str()));
    EXPECT_EQ(0.0f, ship.texRect.top);
    EXPECT_EQ(0.5625f, ship.texRect.bottom);
    EXPECT_EQ(0.5625f, ship.texRect.right);
    EXPECT_EQ(0.0f, ship.texRect.left);
    int w = 0, h = 0;
    const std::vector<unsigned char> texels = Texels(ship.texture, &w, &h);
    ASSERT_EQ(64, w);
    ASSERT_EQ(64, h);
    const uint32_t at[][3] = {{0, 0, 0}, {35, 20, 0}, {1, 1, 0xFFFF0000u}, {34, 34, 0xFF00FF00u}, {36, 10, 0}, {10, 36, 0}, {63, 63, 0}};
    for (const auto& texel : at)
        EXPECT_EQ(texel[2], Texel(texels, w, texel[0], texel[1])) << texel[0] << "," << texel[1];
    GLint filter[2];
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &filter[0]);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter[1]);
    EXPECT_EQ(GL_NEAREST, filter[0]);
    EXPECT_EQ(GL_NEAREST, filter[1]);

    std::unique_ptr<BulletPool> bullets(new BulletPool());
    EXPECT_FALSE(bullets->LoadTexture(dir.File("16.bmp").c_str()));
    EXPECT_TRUE(bullets->LoadTexture(dir.File("8.bmp").c_str()));
    EXPECT_EQ(1.0f, bullets->texRect.bottom);
    EXPECT_EQ(1.0f, bullets->texRect.right);
    std::unique_ptr<ShipFleet> fleet(new ShipFleet());
    ASSERT_TRUE(fleet->LoadTexture(dir.File("ships.bmp").c_str()));
    EXPECT_EQ(36 / 512.0f, fleet->frames[0].right);
    EXPECT_EQ(252 / 512.0f, fleet->frames[7].left);
    EXPECT_EQ(288 / 512.0f, fleet->frames[7].right);
    EXPECT_EQ(0.5625f, fleet->frames[7].bottom);
}

TEST_F(GlContext, ExhaustSpotIsCentredOnTexelEightEight)
{
    std::unique_ptr<ParticleEmitter> emitter(new ParticleEmitter());
    ASSERT_TRUE(emitter->MakeTexture());
    GLint filter = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
    EXPECT_EQ(GL_LINEAR, filter);
    int w = 0, h = 0;
    const std::vector<unsigned char> texels = Texels(emitter->texture, &w, &h);
    ASSERT_EQ(16, w * h / 16);
    const int row8[16] = {0, 31, 63, 95, 127, 159, 191, 223, 255, 223, 191, 159, 127, 95, 63, 31};
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(uint32_t(row8[i]) << 24 | 0xFFFFFF, Texel(texels, 16, i, 8)) << i;
        EXPECT_EQ(0xFFFFFFu, Texel(texels, 16, i, 0)) << "row 0 is clear";
        EXPECT_EQ(0xFFFFFFu, Texel(texels, 16, 0, i)) << "column 0 is clear";
    }
    EXPECT_EQ(0x1FFFFFFFu, Texel(texels, 16, 8, 1));
    EXPECT_EQ(0xD2FFFFFFu, Texel(texels, 16, 9, 9));
}

TEST_F(GlContext, LevelTilesAreCutInOrderAndUploadedOpaqueAndUpright)
{
    TempDir dir;
    ASSERT_TRUE(WriteLevel(dir.File("l.lvl"), {0x01000000u}));
    std::unique_ptr<TileMap> map(new TileMap());
    ASSERT_TRUE(map->Load(dir.File("l.lvl").c_str()));
    EXPECT_EQ(1u, map->cells[0][1023].tile);
    for (uint32_t tile : {1u, 19u, 20u, 190u}) {
        int w = 0, h = 0;
        const std::vector<unsigned char> texels = Texels(map->textures[tile - 1], &w, &h);
        ASSERT_EQ(16, w);
        EXPECT_EQ(0xFF000000u | TestTileColour(tile), Texel(texels, 16, 3, 0)) << tile;
        EXPECT_EQ(0xFF000000u | TestTileLowerColour(TestTileColour(tile)), Texel(texels, 16, 3, 15)) << tile;
    }
}

}  // namespace
