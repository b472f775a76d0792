#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>

#include "actors/BulletPool.h"
#include "actors/ParticleEmitter.h"
#include "actors/PlayerShip.h"
#include "actors/ShipFleet.h"

namespace {

TEST(PlayerShip, SetAngleWrapsIntoZeroTo360)
{
    const float inf = INFINITY;
    // 1e30f mod 360 is 120 (python3: math.fmod(1e30 as float, 360)); the rest by hand.
    const float rows[][2] = {{360, 0}, {720, 0}, {-90, 270}, {725.5f, 5.5f}, {-720, 0}, {-0.5f, 359.5f},
                             {-0.00001f, 360}, {1e30f, 120}, {inf, 0}, {-inf, 0}, {NAN, 0}};
    for (const auto& row : rows) {
        PlayerShip ship;
        ship.SetAngle(row[0]);
        EXPECT_EQ(row[1], ship.angle) << row[0];
    }
}

TEST(BulletPool, AddClampsTheKindIntoTheRingAndWrapsAt1000)
{
    std::unique_ptr<BulletPool> pool(new BulletPool());
    Bullet bullet{1, 2, 3, 4, 0};
    for (int32_t kind : {0, 7, -3}) {
        bullet.kind = kind;
        pool->Add(bullet);
    }
    EXPECT_EQ(-3, bullet.kind) << "the caller's record is not clamped";
    EXPECT_EQ(1, pool->bullets[0].kind);
    EXPECT_EQ(4, pool->bullets[1].kind);
    EXPECT_EQ(1, pool->bullets[2].kind);
    for (int i = 3; i < 1000; ++i)
        pool->Add(bullet);
    EXPECT_EQ(0u, pool->next);
    bullet.x = 99;
    pool->Add(bullet);
    EXPECT_EQ(1u, pool->next);
    EXPECT_EQ(99.0f, pool->bullets[0].x);
}

TEST(BulletPool, UpdateMovesTakenSlotsAndResetOnlyRewindsTheRing)
{
    std::unique_ptr<BulletPool> pool(new BulletPool());
    pool->bullets[1] = Bullet{0, 0, 20, -4, 0};
    pool->Add(Bullet{1, 1, 20, -4, 3});
    pool->Update(500);
    EXPECT_EQ(11.0f, pool->bullets[0].x);
    EXPECT_EQ(-1.0f, pool->bullets[0].y);
    EXPECT_EQ(0.0f, pool->bullets[1].x) << "a free slot stays put";
    pool->Reset();
    EXPECT_EQ(0u, pool->next);
    pool->Update(500);
    EXPECT_EQ(21.0f, pool->bullets[0].x) << "bullets fly on after Reset";
}

TEST(ShipFleet, AddTakesTheFirstFreeSlotAndIndexesAreChecked)
{
    std::unique_ptr<ShipFleet> fleet(new ShipFleet());
    uint32_t index = 99;
    fleet->ships[1].kind = 2;
    const uint32_t want[] = {0, 2, 3, 3};
    int i = 0;
    for (int32_t kind : {3, 3, 0, 9}) {
        EXPECT_TRUE(fleet->Add(FleetShip{0, 0, 0, 0, 0, kind}, index));
        EXPECT_EQ(want[i++], index) << "kind " << kind << ": a kind-0 ship leaves its slot free";
    }
    for (uint32_t slot = 0; slot < 100; ++slot)
        EXPECT_TRUE(fleet->Set(slot, FleetShip{0, 0, 0, 0, 0, -1}));
    EXPECT_FALSE(fleet->Add(FleetShip{0, 0, 0, 0, 0, 1}, index));
    EXPECT_EQ(0u, index);
    EXPECT_FALSE(fleet->Remove(100));
    EXPECT_FALSE(fleet->Set(100, FleetShip{}));
    EXPECT_TRUE(fleet->Remove(4));
    EXPECT_TRUE(fleet->Remove(4)) << "removing a free slot";
    EXPECT_EQ(0, fleet->ships[4].kind);
    EXPECT_EQ(-1, fleet->ships[5].kind);
    fleet->texture = 12;
    fleet->Reset();
    EXPECT_EQ(0u, fleet->texture);
    EXPECT_EQ(0, fleet->ships[5].kind);
    EXPECT_EQ(0, fleet->ships[99].kind);
}

TEST(ShipFleet, UpdateMovesEveryOccupiedSlot)
{
    std::unique_ptr<ShipFleet> fleet(new ShipFleet());
    fleet->Set(0, FleetShip{10, 10, 0, -8, 45, 9});
    fleet->Set(1, FleetShip{10, 10, 0, -8, 45, 0});
    fleet->Update(250);
    EXPECT_EQ(8.0f, fleet->ships[0].y);
    EXPECT_EQ(45.0f, fleet->ships[0].angle);
    EXPECT_EQ(10.0f, fleet->ships[1].y) << "a free slot does not move";
}

class Emitter : public ::testing::Test {
protected:
    void SetUp() override { e->SetParams(ExhaustParams()); }
    int Live() const
    {
        int live = 0;
        for (const Particle& p : e->particles)
            live += e->IsDead(p) ? 0 : 1;
        return live;
    }
    std::unique_ptr<ParticleEmitter> e{new ParticleEmitter()};
};

TEST_F(Emitter, EmitsOnePerIntervalStrictlyExceededAndBanksNothingWhileOff)
{
    const struct { uint32_t first, second, emitted, banked; } rows[] = {
        {0, 0, 0, 0}, {20, 0, 0, 20}, {20, 1, 1, 1}, {45, 0, 2, 5}};
    for (const auto& row : rows) {
        SetUp();
        e->Update(row.first);
        e->Update(row.second);
        EXPECT_EQ(row.emitted, e->next) << row.first << "+" << row.second;
        EXPECT_EQ(row.banked, e->accumulatorMs) << row.first << "+" << row.second;
    }
    e->SetEmitting(false);
    e->Update(500);
    EXPECT_EQ(0u, e->accumulatorMs);
    EXPECT_EQ(2u, e->next);
}

TEST_F(Emitter, EachParticleDrawsSixRandomOffsets)
{
    e->params.posSpread = 1.0f;
    srand(42);
    int draws[7];
    for (int& draw : draws)
        draw = rand();
    srand(42);
    e->Update(21);
    EXPECT_EQ(draws[6], rand());
    EXPECT_FLOAT_EQ(512.0f + (draws[0] % 1000 - 500) / 1000.0f, e->particles[0].x - 0.021f * e->particles[0].vx);
}

TEST_F(Emitter, IsDeadBySizeAgeOrAlpha)
{
    const struct { float size; uint32_t age; float alpha; bool dead; } rows[] = {
        {0, 0, 1, true}, {0.1f, 1000, 1, false}, {0.1f, 1001, 1, true}, {0.1f, 0, 0, true}, {0.1f, 0, 1e-30f, false}};
    for (const auto& row : rows) {
        Particle p{};
        p.size = row.size, p.ageMs = row.age, p.alpha = row.alpha;
        EXPECT_EQ(row.dead, e->IsDead(p)) << row.size << " " << row.age << " " << row.alpha;
    }
}

TEST_F(Emitter, SetParamsClampsColoursAndSpreadsAndRestartsTheRing)
{
    e->Update(100);
    ParticleParams params = ExhaustParams();
    params.red = 1.5f, params.green = -0.25f, params.alpha = 1.0f, params.size = -1;
    params.posSpread = -2, params.velSpread = -3, params.redRate = -7;
    e->SetEmitting(false);
    e->SetParams(params);
    const float got[] = {e->params.red, e->params.green, e->params.alpha, e->params.size,
                         e->params.posSpread, e->params.velSpread, e->params.redRate};
    const float want[] = {1, 0, 1, 0, 0, 0, -7};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(want[i], got[i]) << i;
    EXPECT_TRUE(e->emitting);
    EXPECT_EQ(0u, e->next);
    EXPECT_EQ(4, Live()) << "particles from before are kept";
    e->Update(41);
    EXPECT_EQ(2u, e->next) << "size 0: born dead, but each takes a slot";
    EXPECT_EQ(2, Live());
}

TEST_F(Emitter, ParticleReddensFadesGrowsAndDiesWithinASecond)
{
    e->Update(21);
    e->SetEmitting(false);
    for (int i = 0; i < 9; ++i)
        e->Update(100);
    const Particle& p = e->particles[0];
    ASSERT_EQ(1, Live());
    EXPECT_EQ(1.0f, p.red) << "red clamps at 1";
    EXPECT_NEAR(0.0921f, p.green, 1e-5);
    EXPECT_NEAR(0.0790f, p.blue, 1e-5);
    EXPECT_NEAR(0.0395f, p.alpha, 1e-5);
    EXPECT_NEAR(2.042f, p.size, 1e-5);
    EXPECT_EQ(921u, p.ageMs);
    e->Update(100);
    EXPECT_EQ(0, Live());
}

}  // namespace
