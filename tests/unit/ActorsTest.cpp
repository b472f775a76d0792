#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "actors/BulletPool.h"
#include "actors/ParticleEmitter.h"
#include "actors/PlayerShip.h"
#include "actors/ShipFleet.h"

namespace {

TEST(Actors, SetAngleStepsBy360IntoZeroTo360)
{
    // Stepped in float: -0.00001 + 360 rounds to 360; 134218784 and 2^33 step to 0 and 296 (their
    // remainders are 344 and 152); 1e30 is past stepping, its remainder 120 (python3:
    // math.fmod(1e30 as a float, 360)).
    // clang-format off
    const float rows[][2] = {
        {360, 0},  // the angle set, the angle kept
        {725.5f, 5.5f},
        {-720, 0},
        {-0.5f, 359.5f},
        {-0.00001f, 360},
        {134218784, 0},
        {8589934592.0f, 296},
        {1e30f, 120},
        {INFINITY, 0},
        {-INFINITY, 0},
    };
    // clang-format on
    for (const auto& row : rows) {
        PlayerShip ship;
        ship.SetAngle(row[0]);
        EXPECT_EQ(row[1], ship.angle) << row[0];
        EXPECT_FALSE(std::signbit(ship.angle)) << row[0];
    }
}

TEST(Actors, BulletsClampTheirKindFlyStraightAndKeepTheLast1000)
{
    std::unique_ptr<BulletPool> pool(new BulletPool());
    Bullet bullet{1, 1, 20, -4, 0};
    pool->bullets[3] = Bullet{0, 0, 20, -4, 0};
    for (int32_t kind : {0, 7, -3}) {
        bullet.kind = kind;
        pool->Add(bullet);
    }
    EXPECT_EQ((std::vector<int32_t>{1, 4, 1, -3}),
              (std::vector<int32_t>{pool->bullets[0].kind, pool->bullets[1].kind,
                                    pool->bullets[2].kind, bullet.kind}));
    pool->Update(500);
    pool->Reset();
    pool->Update(500);
    EXPECT_EQ((std::vector<float>{21, -3, 0}),
              (std::vector<float>{pool->bullets[2].x, pool->bullets[2].y, pool->bullets[3].x}))
        << "free slots stay put; bullets fly on after Reset";
    for (int i = 0; i < 1001; ++i) {
        bullet.x = float(i);
        pool->Add(bullet);
    }
    EXPECT_EQ((std::vector<float>{1, 1000}),
              (std::vector<float>{float(pool->next), pool->bullets[0].x}))
        << "the 1001st takes slot 0";
}

TEST(Actors, FleetAddsIntoTheFirstFreeSlotAndMovesEveryOccupiedOne)
{
    std::unique_ptr<ShipFleet> fleet(new ShipFleet());
    fleet->ships[1].kind = 2;
    fleet->ships[4] = FleetShip{10, 10, 0, -8, 45, 0};
    uint32_t index = 99;
    std::vector<uint32_t> indexes;
    for (int32_t kind : {3, 3, 0, 9})
        indexes.push_back(fleet->Add(FleetShip{10, 10, 0, -8, 45, kind}, index) ? index : 99);
    EXPECT_EQ((std::vector<uint32_t>{0, 2, 3, 3}), indexes) << "a kind-0 ship leaves its slot free";
    fleet->Update(250);
    EXPECT_EQ((std::vector<float>{8, 8, 10, 45}),
              (std::vector<float>{fleet->ships[0].y, fleet->ships[3].y, fleet->ships[4].y,
                                  fleet->ships[3].angle}))
        << "kinds 3 and 9 move 2 down, the free slot stays";
    for (uint32_t slot = 0; slot < 100; ++slot)
        fleet->Set(slot, FleetShip{0, 0, 0, 0, 0, -1});
    EXPECT_FALSE(fleet->Add(FleetShip{0, 0, 0, 0, 0, 1}, index) || index != 0)
        << "a full fleet gives index 0";
}

class Emitter : public ::testing::Test {
protected:
    void SetUp() override { e->SetParams(ExhaustParams()); }
    int Live() const
    {
        int live = 0;
        for (const Particle& p : e->particles)
            live += !e->IsDead(p);
        return live;
    }
    std::unique_ptr<ParticleEmitter> e{new ParticleEmitter()};
};

TEST_F(Emitter, EmitsOnePerIntervalStrictlyExceededAndBanksNothingWhileOff)
{
    const uint32_t rows[][4] = {
        {20, 0, 0, 20},  // ms, ms, emitted, banked
        {20, 1, 1, 1},
        {45, 0, 2, 5},
    };
    for (const auto& row : rows) {
        SetUp();
        e->Update(row[0]);
        e->Update(row[1]);
        EXPECT_EQ((std::vector<uint32_t>{row[2], row[3]}),
                  (std::vector<uint32_t>{e->next, e->accumulatorMs}))
            << row[0] << "+" << row[1];
    }
    e->SetEmitting(false);
    e->Update(500);
    EXPECT_EQ(0u, e->accumulatorMs);
}

TEST_F(Emitter, SetParamsClampsColoursAndSizesAndRestartsTheRingKeepingParticles)
{
    e->Update(100);
    ParticleParams p = ExhaustParams();
    p.red = 1.5f;
    p.green = -0.25f;
    p.alpha = 1.0f;
    p.size = -1;
    p.posSpread = -2;
    p.velSpread = -3;
    p.redRate = -7;
    e->SetParams(p);
    const ParticleParams& got = e->params;
    EXPECT_EQ((std::vector<float>{1, 0, 1, 0, 0, 0, -7, 0, 4}),
              (std::vector<float>{got.red, got.green, got.alpha, got.size, got.posSpread,
                                  got.velSpread, got.redRate, float(e->next), float(Live())}));
}

TEST_F(Emitter, ParticleReddensFadesGrowsAndDiesAfterItsLife)
{
    e->Update(21);
    e->SetEmitting(false);
    for (int i = 0; i < 9; ++i)
        e->Update(100);
    Particle p = e->particles[0];
    ASSERT_EQ(1, Live());
    EXPECT_EQ((std::vector<float>{921, 1}), (std::vector<float>{float(p.ageMs), p.red}))
        << "red clamps at 1";
    const float want[] = {0.0921f, 0.079f, 0.0395f, 2.042f};
    const float got[] = {p.green, p.blue, p.alpha, p.size};
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(want[i], got[i], 1e-5) << i;
    p.ageMs = 1000;
    EXPECT_FALSE(e->IsDead(p)) << "an age equal to the life is alive";
    p.alpha = 0;
    EXPECT_TRUE(e->IsDead(p));
    e->Update(100);
    EXPECT_EQ(0, Live());
}

}  // namespace
