#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

#include "actors/BulletPool.h"
#include "actors/PlayerShip.h"
#include "actors/ShipFleet.h"
#include "world/TextureUpload.h"

namespace {

TEST(NextPowerOfTwo, SmallestPowerAtLeastN)
{
    const int32_t cases[][2] = {{0, 1}, {1, 1}, {2, 2}, {3, 4}, {17, 32}, {36, 64}, {64, 64}, {288, 512},
                                {-5, 1}, {1073741824, 1073741824}};
    for (const auto& c : cases)
        EXPECT_EQ(c[1], NextPowerOfTwo(c[0])) << c[0];
}

float Wrapped(float angle)
{
    PlayerShip ship;
    ship.SetAngle(angle);
    return ship.angle;
}

// Worked by stepping 360 at a time in float: -720 + 360 + 360 is +0;
// -0.00001 + 360 rounds to 360; above 2^27 the steps round (134218784 and
// 2^33 step to 0 and 296, where their remainders are 344 and 152).
TEST(PlayerShip, SetAngleStepsBy360)
{
    const float cases[][2] = {{360, 0},        {720, 0},          {-90, 270},       {725.5f, 5.5f},
                              {-720, 0},       {-0.5f, 359.5f},   {-0.00001f, 360}, {134218784, 0},
                              {8589934592.0f, 296}};
    for (const auto& c : cases) {
        EXPECT_EQ(c[1], Wrapped(c[0])) << c[0];
        EXPECT_FALSE(std::signbit(Wrapped(c[0]))) << c[0];
    }
    EXPECT_TRUE(std::signbit(Wrapped(-0.0f))) << "-0 is not below 0: no step";
    EXPECT_TRUE(std::isnan(Wrapped(std::nanf(""))));
}

// Past 2^33 a step of 360 gives the same float back.
TEST(PlayerShip, SetAngleEndsForEveryFloat)
{
    const float inf = std::numeric_limits<float>::infinity();
    for (float huge : {inf, -inf, 8589935616.0f, -1e30f, 3.4e38f}) {
        const float a = Wrapped(huge);
        EXPECT_TRUE(a >= 0.0f && a <= 360.0f) << huge;
    }
}

TEST(BulletPool, AddClampsKindsAndWrapsAt1000)
{
    std::unique_ptr<BulletPool> pool(new BulletPool());
    Bullet bullet{1, 2, 3, 4, 0};
    pool->Add(bullet);
    EXPECT_EQ(1, pool->bullets[0].kind) << "kind 0 is stored as 1";
    EXPECT_EQ(0, bullet.kind) << "the caller's record is untouched";
    bullet.kind = 7;
    pool->Add(bullet);
    EXPECT_EQ(4, pool->bullets[1].kind);
    bullet.kind = -3;
    pool->Add(bullet);
    EXPECT_EQ(1, pool->bullets[2].kind);
    bullet.kind = 3;
    for (int i = 3; i < 1000; ++i)
        pool->Add(bullet);
    EXPECT_EQ(0u, pool->next);
    bullet.x = 99;
    pool->Add(bullet);
    EXPECT_EQ(1u, pool->next);
    EXPECT_EQ(99.0f, pool->bullets[0].x) << "the 1001st shot takes slot 0";
}

TEST(BulletPool, UpdateMovesTakenSlotsAndResetKeepsThem)
{
    std::unique_ptr<BulletPool> pool(new BulletPool());
    pool->Update(1000);
    EXPECT_EQ(0.0f, pool->bullets[5].x) << "free slots stay put";
    for (int i = 0; i < 5; ++i)
        pool->Add(Bullet{0, 0, 20, -4, 3});
    pool->Update(0);
    EXPECT_EQ(0.0f, pool->bullets[0].x);
    pool->Update(500);
    EXPECT_EQ(10.0f, pool->bullets[4].x);
    EXPECT_EQ(-2.0f, pool->bullets[4].y);
    pool->Reset();
    EXPECT_EQ(0u, pool->next);
    pool->Update(500);
    EXPECT_EQ(20.0f, pool->bullets[0].x) << "bullets keep flying after Reset";
    pool->Add(Bullet{7, 7, 0, 0, 2});
    EXPECT_EQ(7.0f, pool->bullets[0].x);
    EXPECT_EQ(20.0f, pool->bullets[1].x);
}

TEST(ShipFleet, SlotsFillFromTheFirstFree)
{
    std::unique_ptr<ShipFleet> fleet(new ShipFleet());
    uint32_t index = 99;
    fleet->ships[1].kind = 2;
    EXPECT_TRUE(fleet->Add(FleetShip{0, 0, 0, 0, 0, 3}, index));
    EXPECT_EQ(0u, index);
    EXPECT_TRUE(fleet->Add(FleetShip{0, 0, 0, 0, 0, 3}, index));
    EXPECT_EQ(2u, index);
    EXPECT_TRUE(fleet->Add(FleetShip{0, 0, 0, 0, 0, 0}, index));
    EXPECT_EQ(3u, index);
    EXPECT_TRUE(fleet->Add(FleetShip{0, 0, 0, 0, 0, 9}, index));
    EXPECT_EQ(3u, index) << "a kind-0 ship leaves its slot free";

    for (uint32_t i = 0; i < 100; ++i)
        fleet->Set(i, FleetShip{0, 0, 0, 0, 0, -1});
    EXPECT_FALSE(fleet->Add(FleetShip{0, 0, 0, 0, 0, 1}, index));
    EXPECT_EQ(0u, index);
    EXPECT_FALSE(fleet->Remove(100));
    EXPECT_FALSE(fleet->Set(100, FleetShip{}));
    EXPECT_TRUE(fleet->Remove(4));
    EXPECT_TRUE(fleet->Remove(4)) << "removing a free slot is fine";
    EXPECT_EQ(-1, fleet->ships[5].kind);

    fleet->texture = 12;
    fleet->Reset();
    EXPECT_EQ(0u, fleet->texture);
    for (const FleetShip& ship : fleet->ships)
        ASSERT_EQ(0, ship.kind);
}

TEST(ShipFleet, UpdateMovesOccupiedSlotsOfAnyKind)
{
    std::unique_ptr<ShipFleet> fleet(new ShipFleet());
    fleet->Set(0, FleetShip{10, 10, 0, -8, 45, 9});
    fleet->Set(1, FleetShip{10, 10, 0, -8, 45, 0});
    fleet->Update(250);
    EXPECT_EQ(8.0f, fleet->ships[0].y);
    EXPECT_EQ(45.0f, fleet->ships[0].angle);
    EXPECT_EQ(10.0f, fleet->ships[1].y) << "a free slot does not move";
}

}  // namespace
