#include <gtest/gtest.h>

#include <cstring>

#include "app/FrameLoop.h"
#include "app/GameState.h"
#include "app/WorldObjects.h"
#include "flight/CollideShip.h"
#include "flight/UpdateShip.h"

namespace {

// Expected values come from python3 with f(v) = struct.unpack('f', struct.pack('f', v))[0]
// rounding to float: every step evaluated in double from the float operands, then f().
class Flight : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_ScreenWidth = 1024;
        ResetGameState();
        g_KeyFire = false;
        g_Bullets.Reset();
        memset(g_Bullets.bullets, 0, sizeof g_Bullets.bullets);
        g_Exhaust.SetParams(ExhaustParams());
        memset(g_Map.cells, 0, sizeof g_Map.cells);
    }
    static void Place(float x, float y, float vx, float vy) { g_ShipX = x, g_ShipY = y, g_ShipVelX = vx, g_ShipVelY = vy; }
    static void Solid(int x, int y) { g_Map.cells[x][y].tile = 1; }
    static void ExpectVelocity(float vx, float vy, const char* why = "")
    {
        EXPECT_EQ(vx, g_ShipVelX) << why;
        EXPECT_EQ(vy, g_ShipVelY) << why;
    }
};

TEST_F(Flight, StepIsEvaluatedInDoubleAndStoredAsFloat)
{
    // Inputs found by search where a float evaluation of position, velocity or turning differs.
    const struct { uint32_t ms; float in[5], out[5]; } rows[] = {
        {45, {0x1.5dadf6p+0, 0x1.b460bep+1, -0x1.c78d1ep+4, -0x1.7181d8p+4, -0x1.ced1cp+3},
             {0x1.5aec1ap-4, 0x1.2f5af6p+1, -0x1.cb25a6p+4, -0x1.63903ap+4, -0x1.2813ccp+1}},
        {40, {0x1.cbd05p-1, 0x1.4722cep+1, 0x1.224dd6p+0, 0x1.801e6ap-3, -0x1.eb2672p+4},
             {0x1.e309bep-1, 0x1.4818a4p+1, 0x1.738b62p-1, 0x1.c041f8p-1, -0x1.3e59a6p+4}}};
    float* state[5] = {&g_ShipX, &g_ShipY, &g_ShipVelX, &g_ShipVelY, &g_ShipHeading};
    for (const auto& row : rows) {
        for (int i = 0; i < 5; ++i)
            *state[i] = row.in[i];
        g_ShipThrust = 20.0f;
        g_KeyUp = g_KeyRight = true;
        UpdateShip(row.ms);
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(row.out[i], *state[i]) << "row " << row.ms << " value " << i;
    }
}

TEST_F(Flight, KeysSetThrustTurnAndExhaustForTheNextStep)
{
    const struct { bool up, down, left, right; float thrust, heading; } rows[] = {
        {false, false, false, false, 0, 0}, {true, false, false, false, 20, 0}, {false, true, false, false, -20, 0},
        {true, true, false, false, 0, 0},   {false, false, true, false, 0, -67.5f}, {false, false, false, true, 0, 67.5f},
        {false, false, true, true, 0, 0}};
    for (const auto& row : rows) {
        SetUp();
        g_KeyUp = row.up, g_KeyDown = row.down, g_KeyLeft = row.left, g_KeyRight = row.right;
        UpdateShip(250);
        EXPECT_EQ(row.thrust, g_ShipThrust) << row.up << row.down << row.left << row.right;
        EXPECT_EQ(row.heading, g_ShipHeading) << row.up << row.down << row.left << row.right;
        EXPECT_EQ(row.thrust != 0, g_Exhaust.emitting) << row.up << row.down;
        ExpectVelocity(0, 0, "the thrust acts only from the next step");
    }
}

TEST_F(Flight, ShotLeavesFromThePositionAndVelocityOnEntry)
{
    Place(100, 200, 3, 4);
    g_ShipHeading = 90, g_ShipThrust = 20, g_FireCounter = 10, g_KeyFire = true;
    UpdateShip(100);
    const Bullet& shot = g_Bullets.bullets[0];
    EXPECT_EQ(100.0f, shot.x);
    EXPECT_EQ(200.0f, shot.y);
    EXPECT_EQ(23.0f, shot.vx);
    EXPECT_EQ(0x1.006118p+2f, shot.vy) << "6.282 instead of 2 pi leaves 0.006 along y";
    EXPECT_EQ(3, shot.kind);
    ExpectVelocity(5.0f, 0x1.0009b6p+2f);
    EXPECT_EQ(0, g_FireCounter);

    g_ShipHeading = 180, g_FireCounter = 10;
    Place(0, 0, 0, 0);
    UpdateShip(0);
    EXPECT_EQ(0x1.846154p-7f, g_Bullets.bullets[1].vx);
    EXPECT_EQ(-0x1.3ffffcp+4f, g_Bullets.bullets[1].vy);
}

TEST_F(Flight, HeldFireShootsOnEveryEleventhCall)
{
    g_KeyFire = true;
    std::vector<int> shots;
    for (int call = 1; call <= 34; ++call) {
        const uint32_t before = g_Bullets.next;
        UpdateShip(0);
        if (g_Bullets.next != before)
            shots.push_back(call);
    }
    EXPECT_EQ((std::vector<int>{11, 22, 33}), shots);
}

TEST_F(Flight, WallAheadReversesAndHalvesOnlyItsFace)
{
    for (int y = 0; y < 20; ++y)
        Solid(11, y);
    Place(10.5f, 10.5f, 50, 0);
    CollideShip();
    ExpectVelocity(-25, 0);
    EXPECT_EQ(10.5f, g_ShipX) << "the look-ahead is stepped back";
}

TEST_F(Flight, EachVelocityQuadrantTestsItsTwoFaces)
{
    // At (10.5, 10.5) moving slowly the probe bounds are 9 and 11 both ways.
    enum { TL, TR, BL, BR, T, B, R, L };
    const int cell[8][2] = {{9, 11}, {11, 11}, {9, 9}, {11, 9}, {10, 11}, {10, 9}, {11, 10}, {9, 10}};
    const struct { float vx, vy; int x1, x2, y1, y2; } rows[] = {
        {2, 2, R, BR, T, TL}, {2, -2, R, TR, B, BL}, {-2, 2, L, BL, T, TR}, {-2, -2, L, TL, B, BR},
        {-2, 0, L, BL, T, TR}, {0, -0.0f, R, BR, T, TL}};
    for (const auto& row : rows) {
        for (int probe = 0; probe < 8; ++probe) {
            memset(g_Map.cells, 0, sizeof g_Map.cells);
            Solid(cell[probe][0], cell[probe][1]);
            Place(10.5f, 10.5f, row.vx, row.vy);
            CollideShip();
            const bool x = probe == row.x1 || probe == row.x2, y = probe == row.y1 || probe == row.y2;
            const float f = x || y ? 0.5f : 1.0f;
            EXPECT_EQ((x ? -f : f) * row.vx, g_ShipVelX) << row.vx << "," << row.vy << " probe " << probe;
            EXPECT_EQ((y ? -f : f) * row.vy, g_ShipVelY) << row.vx << "," << row.vy << " probe " << probe;
        }
    }
}

TEST_F(Flight, BothFacesQuarterTheVelocityAndTheLeadingCornerAloneNothing)
{
    Solid(11, 9), Solid(9, 11);
    Place(10.5f, 10.5f, 8, 4);
    CollideShip();
    ExpectVelocity(-2, -1);
    memset(g_Map.cells, 0, sizeof g_Map.cells);
    Solid(11, 11);
    Place(10.5f, 10.5f, 8, 4);
    CollideShip();
    ExpectVelocity(8, 4);
}

TEST_F(Flight, ProbesTruncateTowardZeroSoTheMapEdgeIsOneColumnOut)
{
    Place(0.5f, 5.5f, -10, 0);  // stepped 0.4: 0.4 - 0.9 truncates to column 0, free
    CollideShip();
    ExpectVelocity(-10, 0);
    Place(-0.05f, 5.5f, -10, 0);  // stepped -0.15: -1.05 truncates to -1, outside
    CollideShip();
    ExpectVelocity(5, 0);
    Place(500.5f, 1023.5f, 0, 10);
    CollideShip();
    ExpectVelocity(0, -5);
}

TEST_F(Flight, LookAheadIsTheFloatHundredthAndProbesAddInDouble)
{
    // 0.01f widened steps back to the entry x exactly; the double 0.01 leaves 0x1.a787d8p+5.
    Place(0x1.a787dap+5, 20.5f, 0x1.0a728cp+5, 0);
    CollideShip();
    EXPECT_EQ(0x1.a787dap+5f, g_ShipX);
    // y + 0.9f is just below 6 in double (top row 5, free) but rounds to 6 in float.
    Solid(10, 6);
    Place(10.5f, 0x1.466666p+2, 1, 0);
    CollideShip();
    ExpectVelocity(1, 0, "row 6 is not probed");
}

TEST_F(Flight, FrameCollidesThenFliesThenMovesCameraExhaustAndSprite)
{
    for (int y = 0; y < 20; ++y)
        Solid(11, y);
    ParticleParams still = ExhaustParams();
    still.velSpread = 0;
    g_Exhaust.SetParams(still);
    g_Exhaust.SetPosition(100, 100);
    Place(10.5f, 10.5f, 50, 0);
    g_KeyUp = g_KeyRight = g_KeyFire = true;
    g_FireCounter = 10;
    UpdateWorld(100);
    EXPECT_EQ(8.0f, g_ShipX) << "bounced first, then moved 0.1 s at -25";
    EXPECT_EQ(8.0f, g_Bullets.bullets[0].x) << "shot from 10.5 at -25 and moved in the same frame";
    EXPECT_EQ(12.5f, g_Bullets.bullets[0].y);
    EXPECT_EQ(8.0f, g_Camera.x);
    EXPECT_EQ(10.5f, g_Camera.y);
    EXPECT_EQ(8.0f, g_PlayerShip.x);
    EXPECT_EQ(27.0f, g_PlayerShip.angle);
    EXPECT_EQ(8.0f, g_Exhaust.params.posX);
    EXPECT_EQ(100.0f, g_Exhaust.particles[0].x) << "this frame's particles start where the emitter was";
    EXPECT_EQ(4u, g_Exhaust.next);
    EXPECT_EQ(-0x1.d8a034p+4f, g_Exhaust.params.velX) << "less half this frame's thrust at this frame's heading";
    EXPECT_EQ(-0x1.1d229p+3f, g_Exhaust.params.velY);
}

}  // namespace
