// What one frame of updates costs with the pools full, and how the
// exhaust's cost grows with its live particles.
#include <benchmark/benchmark.h>

#include <cstring>

#include "app/FrameLoop.h"
#include "app/GameState.h"
#include "app/WorldObjects.h"

namespace {

const uint32_t kFrameMs = 16;

void FillPools()
{
    g_ScreenWidth = 1024;
    g_ScreenHeight = 768;
    ResetGameState();
    memset(g_Map.cells, 0, sizeof g_Map.cells);
    for (uint32_t i = 0; i < BulletPool::MaxBullets; ++i)
        g_Bullets.Add(Bullet{512.0f, 512.0f, static_cast<float>(i % 7), 3.0f, 3});
    for (uint32_t i = 0; i < ShipFleet::MaxFleetShips; ++i)
        g_Fleet.Set(i, FleetShip{500.0f + i % 10, 500.0f + i / 10, 1.0f, -1.0f, 0.0f,
                                 static_cast<int32_t>(1 + i % 8)});
}

// Keeps `live` exhaust particles alive for ever: emission off, no fading.
void HoldExhaust(uint32_t live)
{
    ParticleParams params = ExhaustParams();
    params.lifeMs = UINT32_MAX;
    params.alphaRate = 0.0f;
    params.sizeRate = 0.0f;
    g_Exhaust.SetParams(params);
    memset(g_Exhaust.particles, 0, sizeof g_Exhaust.particles);
    g_Exhaust.Update(params.intervalMs * live + 1);
    g_Exhaust.SetEmitting(false);
}

// Thrusting and firing from the same state every frame, so that every
// iteration does the same work.
void ResetShip()
{
    g_ShipX = 512.0f;
    g_ShipY = 512.0f;
    g_ShipVelX = 3.0f;
    g_ShipVelY = 2.0f;
    g_ShipHeading = 30.0f;
    g_KeyUp = true;
    g_KeyFire = true;
    g_KeyRight = true;
}

void BM_FrameOfUpdates_SteadyExhaust(benchmark::State& state)
{
    FillPools();
    g_Exhaust.SetParams(ExhaustParams());
    // Thrusting for two seconds brings the exhaust to its steady ~50.
    ResetShip();
    for (int i = 0; i < 125; ++i)
        UpdateWorld(kFrameMs);
    for (auto _ : state) {
        ResetShip();
        UpdateWorld(kFrameMs);
    }
    int live = 0;
    for (const Particle& p : g_Exhaust.particles)
        live += g_Exhaust.IsDead(p) ? 0 : 1;
    state.counters["live_particles"] = live;
}
BENCHMARK(BM_FrameOfUpdates_SteadyExhaust);

void BM_FrameOfUpdates_FullExhaust(benchmark::State& state)
{
    FillPools();
    HoldExhaust(ParticleEmitter::MaxParticles);
    g_KeyUp = false;
    for (auto _ : state) {
        ResetShip();
        g_KeyUp = false;  // keeps emission off: the ring stays full
        UpdateWorld(kFrameMs);
    }
}
BENCHMARK(BM_FrameOfUpdates_FullExhaust);

void BM_ExhaustUpdate(benchmark::State& state)
{
    HoldExhaust(static_cast<uint32_t>(state.range(0)));
    for (auto _ : state)
        g_Exhaust.Update(kFrameMs);
    state.counters["live_particles"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_ExhaustUpdate)->Arg(0)->Arg(50)->Arg(250)->Arg(1000);

}  // namespace
