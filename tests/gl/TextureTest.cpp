#include <GL/gl.h>
#include <SDL.h>

#include <memory>

#include "GlContext.h"
#include "TestFiles.h"
#include "actors/BulletPool.h"
#include "actors/ParticleEmitter.h"
#include "actors/PlayerShip.h"
#include "actors/ShipFleet.h"
#include "actors/SpriteBitmap.h"
#include "world/TextureUpload.h"
#include "world/TileMap.h"

namespace {

class Textures : public GlContextTest {
protected:
    TempDir dir_;
};

// A sprite with a black border two pixels wide and colours inside.
uint32_t Framed(int x, int y, int w, int h)
{
    if (x < 2 || y < 2 || x >= w - 2 || y >= h - 2)
        return 0x000000;
    return 0x102030u + static_cast<uint32_t>(x) * 0x010000u + static_cast<uint32_t>(y);
}

TEST_F(Textures, KeyedSpriteUploadsWithTransparentBlackAndPadding)
{
    const std::string path = dir_.File("ship.bmp");
    ASSERT_TRUE(WriteBmp(path, 36, 36, [](int x, int y) { return Framed(x, y, 36, 36); }));
    SDL_Surface* sprite = LoadSpriteBitmap(path.c_str(), 36, 36);
    ASSERT_NE(nullptr, sprite);
    TexRect rect{9, 9, 9, 9};
    const uint32_t texture = UploadSurfaceTexture(sprite, &rect);
    SDL_FreeSurface(sprite);
    ASSERT_NE(0u, texture);
    EXPECT_EQ(0.0f, rect.top);
    EXPECT_EQ(0.5625f, rect.bottom);
    EXPECT_EQ(0.5625f, rect.right);
    EXPECT_EQ(0.0f, rect.left);

    GLint magFilter = 0, minFilter = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
    EXPECT_EQ(GL_NEAREST, magFilter);
    EXPECT_EQ(GL_NEAREST, minFilter);

    int w = 0, h = 0;
    const std::vector<unsigned char> texels = ReadTexture(texture, &w, &h);
    ASSERT_EQ(64, w);
    ASSERT_EQ(64, h);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            const unsigned char* t = &texels[(y * 64 + x) * 4];
            // Row 0 of the texture is the bitmap's top row.
            const uint32_t want = x < 36 && y < 36 ? Framed(x, y, 36, 36) : 0;
            const unsigned wantAlpha = want == 0 ? 0 : 255;
            ASSERT_EQ(wantAlpha, t[3]) << x << "," << y;
            ASSERT_EQ(wantAlpha == 0 ? 0u : (want >> 16) & 0xFF, t[0]) << x << "," << y;
            ASSERT_EQ(wantAlpha == 0 ? 0u : want & 0xFF, t[2]) << x << "," << y;
        }
    }
}

TEST_F(Textures, SpritesRefuseOtherSizesAndKeepTheirTexture)
{
    ASSERT_TRUE(WriteBmp(dir_.File("32.bmp"), 32, 32, [](int, int) { return 0xFFFFFFu; }));
    ASSERT_TRUE(WriteBmp(dir_.File("36x35.bmp"), 36, 35, [](int, int) { return 0xFFFFFFu; }));
    ASSERT_TRUE(WriteBmp(dir_.File("16.bmp"), 16, 16, [](int, int) { return 0xFFFFFFu; }));
    ASSERT_TRUE(WriteBmp(dir_.File("8.bmp"), 8, 8, [](int x, int y) { return Framed(x, y, 8, 8); }));
    PlayerShip ship;
    ship.texture = 77;
    EXPECT_FALSE(ship.LoadTexture(dir_.File("32.bmp").c_str()));
    EXPECT_FALSE(ship.LoadTexture(dir_.File("36x35.bmp").c_str()));
    EXPECT_FALSE(ship.LoadTexture(dir_.File("none.bmp").c_str()));
    EXPECT_EQ(77u, ship.texture);

    std::unique_ptr<BulletPool> bullets(new BulletPool());
    EXPECT_FALSE(bullets->LoadTexture(dir_.File("16.bmp").c_str()));
    EXPECT_EQ(0u, bullets->texture);
    EXPECT_TRUE(bullets->LoadTexture(dir_.File("8.bmp").c_str()));
    EXPECT_NE(0u, bullets->texture);
    EXPECT_EQ(1.0f, bullets->texRect.right);
    EXPECT_EQ(1.0f, bullets->texRect.bottom);
}

TEST_F(Textures, FleetSheetIsCutIntoEightFrames)
{
    ASSERT_TRUE(WriteBmp(dir_.File("ships.bmp"), 288, 36, [](int x, int) { return x % 36 == 0 ? 0u : 0x808080u; }));
    std::unique_ptr<ShipFleet> fleet(new ShipFleet());
    ASSERT_TRUE(fleet->LoadTexture(dir_.File("ships.bmp").c_str()));
    EXPECT_NE(0u, fleet->texture);
    for (uint32_t k = 0; k < 8; ++k) {
        EXPECT_EQ(36.0f * k / 512.0f, fleet->frames[k].left) << k;
        EXPECT_EQ(36.0f * (k + 1) / 512.0f, fleet->frames[k].right) << k;
        EXPECT_EQ(0.5625f, fleet->frames[k].bottom);
        EXPECT_EQ(0.0f, fleet->frames[k].top);
    }
    EXPECT_EQ(252.0f / 512.0f, fleet->frames[7].left);
    EXPECT_EQ(288.0f / 512.0f, fleet->frames[7].right);
}

TEST_F(Textures, ExhaustSpotHasItsTexelsAndLinearFilter)
{
    std::unique_ptr<ParticleEmitter> emitter(new ParticleEmitter());
    ASSERT_TRUE(emitter->MakeTexture());
    GLint filter = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &filter);
    EXPECT_EQ(GL_LINEAR, filter);
    int w = 0, h = 0;
    const std::vector<unsigned char> texels = ReadTexture(emitter->texture, &w, &h);
    ASSERT_EQ(16, w);
    ASSERT_EQ(16, h);
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(255, texels[i * 4]);
        EXPECT_EQ(ParticleEmitter::SpotAlpha(i % 16, i / 16), texels[i * 4 + 3]) << i;
    }
    EXPECT_EQ(210, texels[(9 * 16 + 9) * 4 + 3]);
    EXPECT_EQ(0, texels[(0 * 16 + 8) * 4 + 3]);
}

TEST_F(Textures, MapLoadsEachTileAndDrawTileRefusesIndex190)
{
    const std::string level = dir_.File("l.lvl");
    ASSERT_TRUE(WriteLevel(level, {0x01000000u}));
    std::unique_ptr<TileMap> map(new TileMap());
    ASSERT_TRUE(map->Load(level.c_str()));
    for (uint32_t i : {0u, 18u, 19u, 189u}) {
        int w = 0, h = 0;
        const std::vector<unsigned char> texels = ReadTexture(map->textures[i], &w, &h);
        ASSERT_EQ(16, w);
        const uint32_t colour = TestTileColour(i + 1);
        EXPECT_EQ((colour >> 16) & 0xFF, texels[0]) << i;
        EXPECT_EQ(colour & 0xFF, texels[2]) << i;
        EXPECT_EQ(255, texels[3]) << "tiles have no transparent colour";
    }
    EXPECT_EQ(1u, map->cells[0][1023].tile);

    glClear(GL_COLOR_BUFFER_BIT);
    glLoadIdentity();
    glTranslatef(-0.5f, -0.5f, -1.0f);  // a unit square fills the view
    EXPECT_FALSE(map->DrawTile(0.0f, 0.0f, 190));
    const std::vector<unsigned char> cleared = ReadPixels();
    for (size_t i = 0; i < cleared.size(); i += 4) {
        ASSERT_EQ(0, cleared[i]) << "nothing drawn";
        ASSERT_EQ(0, cleared[i + 1]);
        ASSERT_EQ(13, cleared[i + 2]);
    }
    EXPECT_TRUE(map->DrawTile(0.0f, 0.0f, 189));
    const std::vector<unsigned char> pixels = ReadPixels();
    const size_t centre = (240 * 640 + 320) * 4;
    EXPECT_EQ((TestTileColour(190) >> 16) & 0xFF, pixels[centre]);
}

}  // namespace
