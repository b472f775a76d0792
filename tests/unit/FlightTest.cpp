#include <gtest/gtest.h>

#include <cstring>

#include "app/FrameLoop.h"
#include "app/GameState.h"
#include "app/WorldObjects.h"
#include "flight/CollideShip.h"
#include "flight/UpdateShip.h"

namespace {

// Expected values from python3, f(v) = struct.unpack('f', struct.pack('f', v))[0] rounding
// to float: each expression evaluated in double from the float operands, then f().
class Flight : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_ScreenWidth = 1024;
        ResetGameState();
        g_KeyFire = false;
        g_Bullets.Reset();
        g_Exhaust.SetParams(ExhaustParams());
        memset(g_Map.cells, 0, sizeof g_Map.cells);
    }
    static void Place(float x, float y, float vx, float vy)
    {
        g_ShipX = x;
        g_ShipY = y;
        g_ShipVelX = vx;
        g_ShipVelY = vy;
    }
    static void Solid(int x, int y) { g_Map.cells[x][y].tile = 1; }
    static void Collide(float x, float y, float vx, float vy, float wantVx, float wantVy,
                        const std::string& why)
    {
        Place(x, y, vx, vy);
        CollideShip();
        EXPECT_EQ((std::vector<float>{wantVx, wantVy}),
                  (std::vector<float>{g_ShipVelX, g_ShipVelY}))
            << why;
    }
};

TEST_F(Flight, StepIsEvaluatedInDoubleAndStoredAsFloat)
{
    // Found by search: a float evaluation of position, velocity or turning differs here.
    const struct {
        uint32_t ms;
        float in[5], out[5];
    } rows[] = {// x, y, vx, vy, heading
                {45,
                 {0x1.5dadf6p+0, 0x1.b460bep+1, -0x1.c78d1ep+4, -0x1.7181d8p+4, -0x1.ced1cp+3},
                 {0x1.5aec1ap-4, 0x1.2f5af6p+1, -0x1.cb25a6p+4, -0x1.63903ap+4, -0x1.2813ccp+1}},
                {40,
                 {0x1.cbd05p-1, 0x1.4722cep+1, 0x1.224dd6p+0, 0x1.801e6ap-3, -0x1.eb2672p+4},
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
    // clang-format off
    const struct {
        bool up, down, left, right;
        float thrust, heading;
    } rows[] = {
        {1, 0, 0, 0, 20, 0},  // up, down, left, right, thrust, heading
        {0, 1, 0, 0, -20, 0},
        {1, 1, 0, 0, 0, 0},
        {0, 0, 1, 0, 0, -67.5f},
        {0, 0, 0, 1, 0, 67.5f},
        {0, 0, 1, 1, 0, 0},
    };
    // clang-format on
    for (const auto& row : rows) {
        SetUp();
        g_KeyUp = row.up;
        g_KeyDown = row.down;
        g_KeyLeft = row.left;
        g_KeyRight = row.right;
        UpdateShip(250);
        EXPECT_EQ((std::vector<float>{row.thrust, row.heading, float(row.thrust != 0), 0}),
                  (std::vector<float>{g_ShipThrust, g_ShipHeading, float(g_Exhaust.emitting),
                                      g_ShipVelY}))
            << "up, down, left, right: " << row.up << row.down << row.left << row.right
            << "; the new thrust acts from the next step";
    }
}

TEST_F(Flight, ShotLeavesEveryEleventhCallFromThePositionAndVelocityOnEntry)
{
    Place(100, 200, 3, 4);
    g_ShipHeading = 90;
    g_ShipThrust = 20;
    g_FireCounter = 10;
    g_KeyFire = true;
    UpdateShip(100);
    const Bullet shot = g_Bullets.bullets[0];
    EXPECT_EQ((std::vector<float>{100, 200, 23, 0x1.006118p+2f}),
              (std::vector<float>{shot.x, shot.y, shot.vx, shot.vy}))
        << "heading 90 adds (20, 0.006): 6.282, not 2 pi";
    EXPECT_EQ((std::vector<float>{3, 5, 0x1.0009b6p+2f}),
              (std::vector<float>{float(shot.kind), g_ShipVelX, g_ShipVelY}));
    Place(0, 0, 0, 0);
    std::vector<int> calls;
    for (int call = 1; call <= 22; ++call)
        if (UpdateShip(0) && g_FireCounter == 0)
            calls.push_back(call);
    EXPECT_EQ((std::vector<int>{11, 22}), calls);
}

TEST_F(Flight, EachVelocityQuadrantBouncesOffItsTwoFaces)
{
    // At (10.5, 10.5) moving slowly the probe bounds are 9 and 11 both ways.
    enum { TL, TR, BL, BR, T, B, R, L };
    const int cell[8][2] = {{9, 11},  {11, 11}, {9, 9},   {11, 9},
                            {10, 11}, {10, 9},  {11, 10}, {9, 10}};
    // clang-format off
    const struct {
        float vx, vy;
        int x1, x2, y1, y2;
    } rows[] = {
        {2, 2, R, BR, T, TL},  // up and right: the x faces, then the y faces
        {2, -2, R, TR, B, BL},
        {-2, 2, L, BL, T, TR},
        {-2, -2, L, TL, B, BR},
        {-2, 0, L, BL, T, TR},
        {0, 2, R, BR, T, TL},
        {2, -0.0f, R, BR, T, TL},  // a zero, +0 or -0, counts as positive
    };
    // clang-format on
    for (const auto& row : rows) {
        for (int probe = 0; probe < 8; ++probe) {
            memset(g_Map.cells, 0, sizeof g_Map.cells);
            Solid(cell[probe][0], cell[probe][1]);
            const bool x = probe == row.x1 || probe == row.x2;
            const bool y = probe == row.y1 || probe == row.y2;
            const float f = x || y ? 0.5f : 1.0f;
            Collide(10.5f, 10.5f, row.vx, row.vy, (x ? -f : f) * row.vx, (y ? -f : f) * row.vy,
                    std::to_string(row.vx) + "," + std::to_string(row.vy) + " probe " +
                        std::to_string(probe));
        }
    }
    Solid(11, 9);
    Solid(9, 11);
    Collide(10.5f, 10.5f, 8, 4, -2, -1, "both faces: each component reversed and halved twice");
}

TEST_F(Flight, ProbesTruncateTowardZeroAndAddInDoubleWithTheFloatHundredth)
{
    Collide(0.5f, 5.5f, -10, 0, -10, 0, "stepped 0.4: 0.4 - 0.9 truncates to column 0, free");
    Collide(-0.05f, 5.5f, -10, 0, 5, 0, "stepped -0.15: -1.05 truncates to -1, outside");
    Solid(10, 6);  // y + 0.9f is just below 6 in double, but 6 in float
    Collide(10.5f, 0x1.466666p+2, 1, 0, 1, 0, "row 6 is not probed");
    Collide(0x1.a787dap+5, 20.5f, 0x1.0a728cp+5, 0, 0x1.0a728cp+5, 0, "");
    EXPECT_EQ(0x1.a787dap+5f, g_ShipX)
        << "0.01f steps back to x exactly; the double 0.01 leaves 0x1.a787d8p+5";
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
    EXPECT_EQ(8.0f, g_ShipX) << "the wall turned (50, 0) into (-25, 0), then 0.1 s of flight";
    EXPECT_EQ((std::vector<float>{8, 12.5f}),
              (std::vector<float>{g_Bullets.bullets[0].x, g_Bullets.bullets[0].y}))
        << "shot from 10.5 at (-25, 20) and moved in the same frame";
    EXPECT_EQ((std::vector<float>{8, 10.5f, 8, 27, 8}),
              (std::vector<float>{g_Camera.x, g_Camera.y, g_PlayerShip.x, g_PlayerShip.angle,
                                  g_Exhaust.params.posX}));
    EXPECT_EQ((std::vector<float>{4, 100}),
              (std::vector<float>{float(g_Exhaust.next), g_Exhaust.particles[3].x}))
        << "this frame's particles start where the emitter was";
    EXPECT_EQ((std::vector<float>{-0x1.d8a034p+4f, -0x1.1d229p+3f}),
              (std::vector<float>{g_Exhaust.params.velX, g_Exhaust.params.velY}))
        << "less half this frame's thrust at this frame's heading";
}

}  // namespace
