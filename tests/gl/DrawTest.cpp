#include <SDL.h>
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "app/FrameLoop.h"
#include "app/GameState.h"
#include "app/WorldObjects.h"

using Calls = std::vector<std::string>;
extern Calls g_GlCalls;  // GlRecorder.cpp
extern GLenum g_GlError;

namespace {

// The recorded calls that start with one of the prefixes, such as "glEnable blend" or "glColor".
Calls Only(std::initializer_list<const char*> prefixes)
{
    Calls kept;
    for (const std::string& call : g_GlCalls)
        for (const char* prefix : prefixes)
            if (call.rfind(prefix, 0) == 0)
                kept.push_back(call);
    return kept;
}

// The first `count` corners sent, as "s t > x y z", each texture coordinate with the vertex after
// it.
std::string Corners(size_t count = SIZE_MAX)
{
    std::string corners, texture;
    size_t taken = 0;
    for (const std::string& call : g_GlCalls) {
        if (call.rfind("glTexCoord2f ", 0) == 0)
            texture = call.substr(13);
        if (call.rfind("glVertex3f ", 0) == 0 && taken++ < count)
            corners += (corners.empty() ? "" : ", ") + texture + " > " + call.substr(11);
    }
    return corners;
}

// The calls as one line, each run of equal calls once with its length: "glBegin quads*1000".
std::string Runs(const Calls& calls)
{
    std::string text;
    for (size_t i = 0, n = 1; i < calls.size(); i += n) {
        for (n = 1; i + n < calls.size() && calls[i + n] == calls[i];)
            ++n;
        text += (text.empty() ? "" : ", ") + calls[i] + (n > 1 ? "*" + std::to_string(n) : "");
    }
    return text;
}

// Top, bottom, right, left: every field its own value.
const TexRect kRect{0.125f, 0.5625f, 0.75f, 0.25f};

class Draw : public ::testing::Test {
protected:
    void SetUp() override { g_GlCalls.clear(); }
};

TEST_F(Draw, PlayerShipIsAnUprightSquareOfSideTwoTurnedClockwise)
{
    PlayerShip ship{};
    ship.SetPosition(3, 4);
    ship.SetAngle(30);
    ship.texture = 7;
    ship.texRect = kRect;
    ship.Draw();
    EXPECT_EQ((Calls{"glBindTexture 7", "glColor3f 1 1 1", "glEnable blend", "glPushMatrix",
                     "glTranslatef 3 4 0", "glRotatef 30 0 0 -1", "glBegin quads"}),
              Calls(g_GlCalls.begin(), g_GlCalls.begin() + 7));
    EXPECT_EQ((Calls{"glEnd", "glPopMatrix", "glDisable blend"}),
              Calls(g_GlCalls.end() - 3, g_GlCalls.end()));
    EXPECT_EQ(
        "0.25 0.5625 > -1 -1 0, 0.75 0.5625 > 1 -1 0, 0.75 0.125 > 1 1 0, 0.25 0.125 > -1 1 0",
        Corners());
}

TEST_F(Draw, EveryBulletSlotIsAHalfUnitSquareTintedByItsKind)
{
    std::unique_ptr<BulletPool> pool(new BulletPool());
    pool->texture = 9;
    pool->texRect = kRect;
    const int32_t kinds[] = {1, 2, 3, 4, 7};
    for (int i = 0; i < 5; ++i)
        pool->bullets[i] = Bullet{2, 3, 0, 0, kinds[i]};
    pool->Draw();
    EXPECT_EQ(1000u, Only({"glBindTexture 9"}).size());
    const Calls tints = Only({"glColor3f"});
    EXPECT_EQ((Calls{"glColor3f 1 0 0", "glColor3f 1 1 0", "glColor3f 0 0 1", "glColor3f 0.5 0 0.5",
                     "glColor3f 1 1 1", "glColor3f 1 1 1"}),
              Calls(tints.begin(), tints.begin() + 6))
        << "red, yellow, blue, purple, other, free";
    EXPECT_EQ(
        "0.25 0.5625 > 1.75 2.75 0, 0.75 0.5625 > 2.25 2.75 0, 0.75 0.125 > 2.25 3.25 0, 0.25 "
        "0.125 > 1.75 3.25 0",
        Corners(4));
}

TEST_F(Draw, FleetDrawsKindsOneToEightWithFrameKindLessOne)
{
    std::unique_ptr<ShipFleet> fleet(new ShipFleet());
    fleet->texture = 13;
    for (uint32_t k = 0; k < 8; ++k)
        fleet->frames[k] =
            TexRect{0.0f, 0.5625f, (k + 1) * 0.0703125f, k * 0.0703125f};  // 36 / 512 wide
    const int32_t kinds[] = {1, 0, 9, -1, 8};
    for (uint32_t i = 0; i < 5; ++i)
        fleet->Set(i, FleetShip{5.0f + i, 6, 0, 0, 45, kinds[i]});
    fleet->Draw();
    EXPECT_EQ((Calls{"glEnable blend", "glColor3f 1 1 1", "glBindTexture 13"}),
              Calls(g_GlCalls.begin(), g_GlCalls.begin() + 3));
    EXPECT_EQ((Calls{"glTranslatef 5 6 0", "glRotatef 45 0 0 -1", "glTranslatef 9 6 0",
                     "glRotatef 45 0 0 -1"}),
              Only({"glTranslatef", "glRotatef"}));
    EXPECT_EQ(
        "0 0.5625 > -1 -1 0, 0.0703125 0.5625 > 1 -1 0, 0.0703125 0 > 1 1 0, 0 0 > -1 1 0, "
        "0.4921875 0.5625 > -1 -1 0, "
        "0.5625 0.5625 > 1 -1 0, 0.5625 0 > 1 1 0, 0.4921875 0 > -1 1 0",
        Corners());
}

TEST_F(Draw, LiveParticlesGoOutInOneBatchOfTintedSquares)
{
    std::unique_ptr<ParticleEmitter> emitter(new ParticleEmitter());
    emitter->Draw();
    EXPECT_EQ((Calls{"glPointSize 2", "glBindTexture 0", "glEnable blend", "glBegin quads", "glEnd",
                     "glDisable blend"}),
              g_GlCalls);
    g_GlCalls.clear();
    emitter->particles[3] = Particle{1, 2, -0.5f, 0, 0, 0, 0.25f, 0.25f, 0, 1, 0.5f, 0};
    emitter->Draw();
    EXPECT_EQ((Calls{"glBegin quads", "glColor4f 0.25 0 1 0.5", "glEnd"}),
              Only({"glBegin", "glColor4f", "glEnd"}));
    EXPECT_EQ(
        "0 0 > 0.75 1.75 -0.5, 1 0 > 1.25 1.75 -0.5, 1 1 > 1.25 2.25 -0.5, 0 1 > 0.75 2.25 -0.5",
        Corners());
}

TEST_F(Draw, MapWindowDrawsEachSetCellUpToTheMapsEdge)
{
    std::unique_ptr<TileMap> map(new TileMap());
    for (int x = 0; x < 1024; ++x)
        for (int y : {0, 1, 2, 1000, 1023})
            map->cells[x][y] = TileCell{2, 1, 1};
    map->textures[1] = 21;
    map->DrawWindow(1000, 1000, 64, 48);
    EXPECT_EQ(48u, Only({"glBegin quads"}).size()) << "columns 1000 to 1023 of rows 1000 and 1023";
    g_GlCalls.clear();
    map->DrawWindow(0, 0, 2, 1);
    EXPECT_EQ(6u, Only({"glBegin quads"}).size()) << "both ends of the window are included";
    EXPECT_EQ((Calls{"glDisable blend", "glColor3f 1 1 1", "glBindTexture 21", "glColor3f 1 1 1",
                     "glBegin quads"}),
              Calls(g_GlCalls.begin(), g_GlCalls.begin() + 5));
    EXPECT_EQ("0 1 > 0 0 0, 0 0 > 0 1 0, 1 0 > 1 1 0, 1 1 > 1 0 0", Corners(4))
        << "the tile's top row along the cell's upper edge";
}

TEST(Frame, PassUpdatesThenPollsThenDraws)
{
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    ASSERT_EQ(0, SDL_Init(SDL_INIT_VIDEO));
    g_ScreenWidth = 1024;
    g_ScreenHeight = 768;
    ResetGameState();
    g_ShipX = 500;
    g_ShipY = 520;
    g_Camera.SetDistance(32);
    SDL_Event up = {};
    up.key.type = SDL_KEYDOWN;
    up.key.state = SDL_PRESSED;
    up.key.keysym.sym = SDLK_UP;
    SDL_PushEvent(&up);
    g_Map.cells[500][518] = TileCell{2, 1, 1};
    g_Fleet.Set(0, FleetShip{510, 530, 0, 0, 0, 1});
    g_GlCalls.clear();
    RunFrame(100);
    EXPECT_TRUE(g_KeyUp);
    EXPECT_EQ(0.0f, g_ShipThrust) << "the key reaches the flight model in the next pass";
    EXPECT_EQ((Calls{"glClear", "glLoadIdentity", "glTranslatef -500 -520 -32", "glPointSize 1",
                     "glBindTexture 0", "glBegin points"}),
              Calls(g_GlCalls.begin(), g_GlCalls.begin() + 6))
        << "the camera, then the untextured stars first";
    // Back to front: stars, the tile, the empty exhaust batch, all 1000 bullet slots, the fleet,
    // the ship.
    EXPECT_EQ(
        "glClear, glTranslatef -500 -520 -32, glBegin points, glDisable blend, glBegin quads, "
        "glEnable blend, glBegin quads, "
        "glDisable blend, glEnable blend, glBegin quads*1000, glEnable blend, glTranslatef 510 530 "
        "0, glBegin quads, "
        "glDisable blend, glEnable blend, glTranslatef 500 520 0, glBegin quads, glDisable blend",
        Runs(Only({"glClear", "glTranslatef", "glBegin", "glEnable blend", "glDisable blend"})));
    SDL_Quit();
}

TEST(Frame, GlErrorPendingAfterEscIsReportedWithStatusOneAndSdlShutDown)
{
    ASSERT_EQ(0, SDL_Init(SDL_INIT_TIMER));
    g_Quit = true;
    g_GlError = GL_INVALID_ENUM;
    testing::internal::CaptureStdout();
    EXPECT_EQ(1, RunFrameLoop());
    EXPECT_EQ("There was an OpenGL error\n", testing::internal::GetCapturedStdout());
    EXPECT_EQ(0u, SDL_WasInit(SDL_INIT_EVERYTHING));
    g_GlError = GL_NO_ERROR;
}

}  // namespace
