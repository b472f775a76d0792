#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>

#include "app/GameState.h"
#include "app/WorldObjects.h"
#include "flight/CollideShip.h"
#include "flight/ExhaustVelocity.h"
#include "flight/UpdateShip.h"

namespace {

// The heading's angle as the flight model must form it: the single
// precision 6.282 widened to double, times the heading, over 360.
double Radians(float heading)
{
    return static_cast<double>(6.282f) * heading / 360.0;
}

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

    // Calls UpdateShip until the first shot and returns the shot.
    static Bullet FireOnce()
    {
        g_KeyFire = true;
        for (int i = 0; i < 11; ++i)
            UpdateShip(0);
        return g_Bullets.bullets[0];
    }
};

TEST_F(Flight, ShotVelocityCarriesTheSmallCrossTermsOf6282)
{
    g_ShipHeading = 90.0f;
    const Bullet east = FireOnce();
    EXPECT_EQ(static_cast<float>(std::sin(Radians(90.0f)) * 20.0), east.vx);
    EXPECT_EQ(static_cast<float>(std::cos(Radians(90.0f)) * 20.0), east.vy);
    EXPECT_NEAR(20.0f, east.vx, 1e-5);
    EXPECT_NEAR(0.006f, east.vy, 1e-4);
    EXPECT_NE(static_cast<float>(std::cos(6.282 * 90 / 360) * 20.0), east.vy)
        << "6.282 is a float constant widened to double";
    EXPECT_EQ(3, east.kind);
    EXPECT_EQ(512.0f, east.x);

    SetUp();
    g_ShipHeading = 180.0f;
    g_ShipVelX = 1.5f;
    g_ShipVelY = -2.0f;
    const Bullet south = FireOnce();
    EXPECT_EQ(static_cast<float>(std::sin(Radians(180.0f)) * 20.0 + 1.5), south.vx);
    EXPECT_NEAR(1.5f + 0.012f, south.vx, 2e-4);
    EXPECT_EQ(static_cast<float>(std::cos(Radians(180.0f)) * 20.0 - 2.0), south.vy);

    SetUp();
    const Bullet north = FireOnce();
    EXPECT_EQ(0.0f, north.vx);
    EXPECT_EQ(20.0f, north.vy);
}

TEST_F(Flight, FiresOnTheEleventhCallAndEveryEleventhWhileHeld)
{
    g_KeyFire = true;
    int shots = 0;
    std::vector<int> shotCalls;
    for (int call = 1; call <= 34; ++call) {
        const uint32_t before = g_Bullets.next;
        UpdateShip(16);
        if (g_Bullets.next != before)
            shotCalls.push_back(call);
        shots = static_cast<int>(g_Bullets.next);
    }
    EXPECT_EQ((std::vector<int>{11, 22, 33}), shotCalls);
    EXPECT_EQ(3, shots);
    EXPECT_EQ(1, g_FireCounter);
}

TEST_F(Flight, CounterCannotOverflowWhileFireIsOff)
{
    g_FireCounter = INT32_MAX;
    UpdateShip(16);
    EXPECT_GT(g_FireCounter, 10);
    EXPECT_LE(g_FireCounter, INT32_MAX);
    g_KeyFire = true;
    UpdateShip(16);
    EXPECT_EQ(1u, g_Bullets.next) << "a shot is due at once";
    EXPECT_EQ(0, g_FireCounter);
}

TEST_F(Flight, ElapsedZeroMovesNothingButRederivesKeys)
{
    g_ShipVelX = 3.0f;
    g_ShipThrust = 20.0f;
    g_KeyDown = true;
    g_KeyLeft = true;
    UpdateShip(0);
    EXPECT_EQ(512.0f, g_ShipX);
    EXPECT_EQ(3.0f, g_ShipVelX);
    EXPECT_EQ(0.0f, g_ShipVelY);
    EXPECT_EQ(0.0f, g_ShipHeading);
    EXPECT_EQ(1, g_FireCounter);
    EXPECT_EQ(-20.0f, g_ShipThrust);
    EXPECT_TRUE(g_Exhaust.emitting) << "reverse thrust streams exhaust too";

    g_KeyUp = true;
    UpdateShip(0);
    EXPECT_EQ(0.0f, g_ShipThrust) << "up and down cancel";
    EXPECT_FALSE(g_Exhaust.emitting);
}

TEST_F(Flight, MovesOnTheOldVelocityAndThrustsWithALag)
{
    g_ShipVelX = 10.0f;
    g_ShipVelY = -4.0f;
    g_KeyUp = true;
    UpdateShip(250);
    EXPECT_EQ(static_cast<float>(250.0 * 10.0f / 1000.0 + 512.0f), g_ShipX);
    EXPECT_EQ(511.0f, g_ShipY);
    EXPECT_EQ(10.0f, g_ShipVelX) << "thrust was 0 on entry";
    EXPECT_EQ(-4.0f, g_ShipVelY);
    EXPECT_EQ(20.0f, g_ShipThrust);
    g_KeyRight = true;
    UpdateShip(250);
    EXPECT_EQ(static_cast<float>(std::cos(Radians(0.0f)) * 20.0f * 250.0 / 1000.0 - 4.0), g_ShipVelY);
    EXPECT_EQ(1.0f, g_ShipVelY);
    EXPECT_EQ(67.5f, g_ShipHeading) << "the new heading reaches the velocity next call";
    EXPECT_EQ(10.0f, g_ShipVelX);
}

TEST_F(Flight, TurnsBy270DegreesASecondWithoutWrapping)
{
    g_KeyRight = true;
    for (int i = 0; i < 4; ++i)
        UpdateShip(250);
    EXPECT_EQ(270.0f, g_ShipHeading);
    g_KeyRight = false;
    g_KeyLeft = true;
    for (int i = 0; i < 8; ++i)
        UpdateShip(250);
    EXPECT_EQ(-270.0f, g_ShipHeading) << "never brought back into 0..360";
    g_KeyRight = true;
    UpdateShip(250);
    EXPECT_EQ(-270.0f, g_ShipHeading) << "both held cancel";
}

TEST_F(Flight, AFullTurnDriftsByThe6282Factor)
{
    g_ShipHeading = 360.0f;
    g_ShipThrust = 20.0f;
    UpdateShip(1000);
    // sin(6.282) * 20: about 0.068 degrees left of straight up.
    EXPECT_EQ(static_cast<float>(std::sin(static_cast<double>(6.282f)) * 20.0 * 1000.0 / 1000.0), g_ShipVelX);
    EXPECT_NEAR(-20.0 * std::sin(0.068 * 3.14159265 / 180), g_ShipVelX, 2e-4);
    EXPECT_LT(g_ShipVelX, 0.0f);
}

TEST_F(Flight, ExhaustVelocityIsTheShipsLessHalfTheThrust)
{
    float vx = 0, vy = 0;
    ExhaustVelocity(3.0f, 4.0f, 0.0f, 45.0f, &vx, &vy);
    EXPECT_EQ(3.0f, vx);
    EXPECT_EQ(4.0f, vy);
    ExhaustVelocity(0.0f, 0.0f, 20.0f, 0.0f, &vx, &vy);
    EXPECT_EQ(0.0f, vx);
    EXPECT_EQ(-10.0f, vy);
    ExhaustVelocity(1.0f, 0.0f, -20.0f, 90.0f, &vx, &vy);
    EXPECT_EQ(static_cast<float>(1.0 - std::sin(Radians(90.0f)) * -10.0f), vx);
    EXPECT_NEAR(11.0f, vx, 1e-5);
}

class Collision : public Flight {
protected:
    static void Solid(int x, int y) { g_Map.cells[x][y].tile = 1; }
    static void Place(float x, float y, float vx, float vy)
    {
        g_ShipX = x;
        g_ShipY = y;
        g_ShipVelX = vx;
        g_ShipVelY = vy;
    }
};

TEST_F(Collision, RestingShipStaysAtRest)
{
    Solid(512, 512);
    Place(512.0f, 512.0f, 0.0f, 0.0f);
    CollideShip();
    EXPECT_EQ(0.0f, g_ShipVelX);
    EXPECT_EQ(0.0f, g_ShipVelY);
    EXPECT_EQ(512.0f, g_ShipX);
}

TEST_F(Collision, SolidColumnBouncesOnlyTheXFace)
{
    for (int y = 0; y < 20; ++y)
        Solid(11, y);
    Place(10.5f, 10.5f, 50.0f, 0.0f);
    CollideShip();
    EXPECT_EQ(-25.0f, g_ShipVelX);
    EXPECT_EQ(0.0f, g_ShipVelY);
    EXPECT_EQ(10.5f, g_ShipX) << "the position is stepped back";
}

// For a ship at (10.5, 10.5) moving slowly, the probe bounds are 9 and 11
// both ways: each of the eight probes is one cell.
struct Probe {
    const char* name;
    int x, y;
};
const Probe kProbes[] = {{"top-left", 9, 11},   {"top-right", 11, 11}, {"bottom-left", 9, 9}, {"bottom-right", 11, 9},
                         {"top", 10, 11},       {"bottom", 10, 9},     {"right", 11, 10},     {"left", 9, 10}};

TEST_F(Collision, EachRowOfTheTableTestsItsTwoFaces)
{
    struct Row {
        float vx, vy;
        const char* xFace[2];
        const char* yFace[2];
    } rows[] = {
        {2.0f, 2.0f, {"right", "bottom-right"}, {"top", "top-left"}},
        {2.0f, -2.0f, {"right", "top-right"}, {"bottom", "bottom-left"}},
        {-2.0f, 2.0f, {"left", "bottom-left"}, {"top", "top-right"}},
        {-2.0f, -2.0f, {"left", "top-left"}, {"bottom", "bottom-right"}},
        {-2.0f, 0.0f, {"left", "bottom-left"}, {"top", "top-right"}},  // zero takes the positive branch
        {0.0f, -0.0f, {"right", "bottom-right"}, {"top", "top-left"}},
    };
    for (const Row& row : rows) {
        for (const Probe& probe : kProbes) {
            memset(g_Map.cells, 0, sizeof g_Map.cells);
            Solid(probe.x, probe.y);
            Place(10.5f, 10.5f, row.vx, row.vy);
            CollideShip();
            const std::string name = probe.name;
            const bool x = name == row.xFace[0] || name == row.xFace[1];
            const bool y = name == row.yFace[0] || name == row.yFace[1];
            const float wantX = x ? -row.vx * 0.5f : (y ? row.vx * 0.5f : row.vx);
            const float wantY = y ? -row.vy * 0.5f : (x ? row.vy * 0.5f : row.vy);
            EXPECT_EQ(wantX, g_ShipVelX) << row.vx << "," << row.vy << " " << probe.name;
            EXPECT_EQ(wantY, g_ShipVelY) << row.vx << "," << row.vy << " " << probe.name;
        }
    }
}

TEST_F(Collision, BothFacesQuarterBothComponentsAndTheLeadingCornerAloneDoesNothing)
{
    Solid(11, 9);
    Solid(9, 11);
    Place(10.5f, 10.5f, 8.0f, 4.0f);
    CollideShip();
    EXPECT_EQ(-2.0f, g_ShipVelX);
    EXPECT_EQ(-1.0f, g_ShipVelY);

    memset(g_Map.cells, 0, sizeof g_Map.cells);
    Solid(11, 11);
    Place(10.5f, 10.5f, 8.0f, 4.0f);
    CollideShip();
    EXPECT_EQ(8.0f, g_ShipVelX);
    EXPECT_EQ(4.0f, g_ShipVelY);
}

TEST_F(Collision, LowEdgeProbesTruncateTowardZeroAndTheBorderIsAWall)
{
    // Stepped x 0.4: x - 0.9 = -0.5 truncates to column 0, which is free.
    Place(0.5f, 5.5f, -10.0f, 0.0f);
    CollideShip();
    EXPECT_EQ(-10.0f, g_ShipVelX);
    // Stepped x -0.15: -1.05 truncates to -1, outside the map: a wall.
    Place(-0.05f, 5.5f, -10.0f, 0.0f);
    CollideShip();
    EXPECT_EQ(5.0f, g_ShipVelX);

    Place(1023.5f, 500.5f, 10.0f, 0.0f);
    CollideShip();
    EXPECT_EQ(-5.0f, g_ShipVelX);
    Place(500.5f, 1023.5f, 0.0f, 10.0f);
    CollideShip();
    EXPECT_EQ(-5.0f, g_ShipVelY);
}

TEST_F(Collision, ShipFarOutsideTheMapKeepsBouncingWithoutUndefinedProbes)
{
    Place(3e9f, -3e9f, 1e30f, -1e30f);
    CollideShip();
    EXPECT_EQ(-0.25e30f, g_ShipVelX);
    EXPECT_EQ(0.25e30f, g_ShipVelY);
}

}  // namespace
