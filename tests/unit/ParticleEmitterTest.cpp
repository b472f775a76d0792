#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "actors/ParticleEmitter.h"

namespace {

std::unique_ptr<ParticleEmitter> NewExhaust()
{
    std::unique_ptr<ParticleEmitter> emitter(new ParticleEmitter());
    emitter->SetParams(ExhaustParams());
    return emitter;
}

int Live(const ParticleEmitter& emitter)
{
    int live = 0;
    for (const Particle& p : emitter.particles)
        live += emitter.IsDead(p) ? 0 : 1;
    return live;
}

TEST(ParticleEmitter, BankPaysOneParticlePerIntervalStrictlyAbove)
{
    auto e = NewExhaust();
    e->Update(20);
    EXPECT_EQ(0u, e->next) << "20 is not more than 20";
    EXPECT_EQ(20u, e->accumulatorMs);
    e->Update(1);
    EXPECT_EQ(1u, e->next);
    EXPECT_EQ(1u, e->accumulatorMs);

    auto f = NewExhaust();
    f->Update(45);
    EXPECT_EQ(2u, f->next);
    EXPECT_EQ(5u, f->accumulatorMs);

    f->SetEmitting(false);
    f->Update(500);
    EXPECT_EQ(0u, f->accumulatorMs) << "no time is banked while off";
    EXPECT_EQ(2u, f->next);

    auto g = NewExhaust();
    g->Update(0);
    EXPECT_EQ(0u, g->next);
    EXPECT_EQ(0, Live(*g));
}

TEST(ParticleEmitter, SixRandCallsPerParticleInAxisOrder)
{
    auto e = NewExhaust();
    e->params.posSpread = 1.0f;
    srand(42);
    const int draws[7] = {rand(), rand(), rand(), rand(), rand(), rand(), rand()};
    srand(42);
    e->Update(21);
    EXPECT_EQ(draws[6], rand()) << "exactly six draws";
    const Particle& p = e->particles[0];
    // The particle was advanced by its first 21 ms; undo that to see the
    // offsets it was born with.
    const float dt = 0.021f;
    auto offset = [](int draw) { return static_cast<float>((draw % 1000 - 500) / 1000.0); };
    EXPECT_FLOAT_EQ(512.0f + offset(draws[0]) + dt * p.vx, p.x);
    EXPECT_FLOAT_EQ(512.0f + offset(draws[1]) + dt * p.vy, p.y);
    EXPECT_FLOAT_EQ(offset(draws[2]) + dt * p.vz, p.z);
    EXPECT_FLOAT_EQ(offset(draws[3]) * 2.0f, p.vx);
    EXPECT_FLOAT_EQ(offset(draws[4]) * 2.0f, p.vy);
    EXPECT_FLOAT_EQ(offset(draws[5]) * 2.0f, p.vz);
    EXPECT_EQ(21u, p.ageMs);
    EXPECT_FLOAT_EQ(0.2f + 0.021f * 2.0f, p.size);
    EXPECT_FLOAT_EQ(0.5f - 0.021f * 0.5f, p.alpha);
}

TEST(ParticleEmitter, IsDeadTestsSizeAgeThenAlpha)
{
    auto e = NewExhaust();
    Particle p{};
    p.size = 0.0f;
    p.alpha = 1.0f;
    EXPECT_TRUE(e->IsDead(p));
    p.size = 0.1f;
    p.ageMs = 1000;
    EXPECT_FALSE(e->IsDead(p)) << "an age equal to the life is alive";
    p.ageMs = 1001;
    EXPECT_TRUE(e->IsDead(p));
    p.ageMs = 0;
    p.alpha = 0.0f;
    EXPECT_TRUE(e->IsDead(p));
    p.alpha = 1e-30f;
    EXPECT_FALSE(e->IsDead(p));
}

TEST(ParticleEmitter, SetParamsClampsAndRestartsTheRing)
{
    auto e = NewExhaust();
    e->Update(100);
    ASSERT_EQ(4u, e->next);
    ParticleParams params = ExhaustParams();
    params.red = 1.5f;
    params.green = -0.25f;
    params.alpha = 1.0f;
    params.size = -1.0f;
    params.posSpread = -2.0f;
    params.velSpread = -3.0f;
    params.reserved0 = -4.0f;
    params.redRate = -7.0f;
    params.accelX = -9.0f;
    e->SetEmitting(false);
    e->SetParams(params);
    EXPECT_EQ(1.0f, e->params.red);
    EXPECT_EQ(0.0f, e->params.green);
    EXPECT_EQ(1.0f, e->params.alpha);
    EXPECT_EQ(0.0f, e->params.size);
    EXPECT_EQ(0.0f, e->params.posSpread);
    EXPECT_EQ(0.0f, e->params.velSpread);
    EXPECT_EQ(0.0f, e->params.reserved0);
    EXPECT_EQ(-7.0f, e->params.redRate);
    EXPECT_EQ(-9.0f, e->params.accelX);
    EXPECT_EQ(0u, e->next);
    EXPECT_EQ(0u, e->accumulatorMs);
    EXPECT_TRUE(e->emitting);
    EXPECT_EQ(4, Live(*e)) << "particles from before are kept";

    // Size 0: every new particle is dead at once but takes its slot.
    e->Update(41);
    EXPECT_EQ(2u, e->next);
    EXPECT_EQ(2, Live(*e));
}

TEST(ParticleEmitter, ParticlesFadeGrowAndDieWithinASecond)
{
    auto e = NewExhaust();
    e->Update(21);
    e->SetEmitting(false);
    for (int i = 0; i < 9; ++i)
        e->Update(100);
    ASSERT_EQ(1, Live(*e));
    const Particle& p = e->particles[0];
    EXPECT_EQ(1.0f, p.red) << "red is clamped at 1";
    EXPECT_LT(p.blue, 0.2f);
    EXPECT_GT(p.size, 1.9f);
    e->Update(100);
    EXPECT_EQ(0, Live(*e)) << "alpha reached 0 or age passed 1000";
}

TEST(ParticleEmitter, LongFramesStayBoundedAndIntervalZeroEnds)
{
    auto e = NewExhaust();
    e->Update(4294967295u);
    // 2^32 - 2 ms due at one per 20 ms would be 214 million emissions; only
    // one ring's worth is made, the ring position and bank as if all were.
    EXPECT_EQ(15u, e->accumulatorMs);
    EXPECT_EQ(static_cast<uint32_t>((4294967294ull / 20) % 1000), e->next);
    EXPECT_EQ(0, Live(*e)) << "a 49-day frame ages every new particle past its life";
    // 15 + (2^32 - 1) saturates instead of wrapping to 14 and emitting
    // nothing: the same 214748364 are due again.
    e->Update(4294967295u);
    EXPECT_EQ(15u, e->accumulatorMs);
    EXPECT_EQ((364u + 214748364u) % 1000u, e->next);

    ParticleParams params = ExhaustParams();
    params.intervalMs = 0;
    auto z = NewExhaust();
    z->SetParams(params);
    z->Update(5);
    EXPECT_EQ(4u, z->next) << "interval 0 runs as 1 ms";
    EXPECT_EQ(1u, z->accumulatorMs);
}

TEST(ParticleEmitter, SpotTexelsFallOffFromEightEight)
{
    EXPECT_EQ(255, ParticleEmitter::SpotAlpha(8, 8));
    const int row8[16] = {0, 31, 63, 95, 127, 159, 191, 223, 255, 223, 191, 159, 127, 95, 63, 31};
    for (int x = 0; x < 16; ++x)
        EXPECT_EQ(row8[x], ParticleEmitter::SpotAlpha(x, 8)) << x;
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(0, ParticleEmitter::SpotAlpha(i, 0));
        EXPECT_EQ(0, ParticleEmitter::SpotAlpha(0, i));
    }
    EXPECT_EQ(31, ParticleEmitter::SpotAlpha(8, 1));
    EXPECT_EQ(31, ParticleEmitter::SpotAlpha(15, 8));
    EXPECT_EQ(210, ParticleEmitter::SpotAlpha(9, 9));
}

}  // namespace
