// What the level costs at start-up: the whole g_Map.Load with its 190
// textures on a real GL context, and the record part alone as the number
// of records grows.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

#include "FlyerRun.h"
#include "TestFiles.h"
#include "app/GameState.h"
#include "app/Video.h"
#include "app/WorldObjects.h"
#include "world/LevelRecord.h"

namespace {

// The files the benchmarks load, made once.
struct Levels {
    TempDir dir;
    std::string empty = dir.File("empty.lvl");
    std::string demo = FLYER_DATA_DIR "/demo.lvl";
    std::string full = dir.File("full.lvl");

    Levels()
    {
        WriteLevel(empty, {});
        std::vector<uint32_t> records;
        for (uint32_t y = 0; y < kMapSize; ++y)
            for (uint32_t x = 0; x < kMapSize; ++x)
                records.push_back(EncodeCellRecord(x, y, 1 + (x + y) % kTileCount));
        WriteLevel(full, records);
    }
    const std::string& ByIndex(int64_t i) const { return i == 0 ? empty : i == 1 ? demo : full; }
};

Levels& TheLevels()
{
    static Levels levels;
    return levels;
}

// One GL context for the whole run, on a private Xvfb.
void NeedVideo()
{
    static std::unique_ptr<XvfbServer> server;
    if (server)
        return;
    server.reset(new XvfbServer(1024, 768));
    setenv("DISPLAY", server->Display().c_str(), 1);
    g_ScreenWidth = 1024;
    g_ScreenHeight = 768;
    ResetGameState();
    if (!InitVideo())
        abort();
}

const char* const kNames[] = {"empty", "demo", "full 1048576 records"};

void BM_MapLoad(benchmark::State& state)
{
    NeedVideo();
    const std::string& path = TheLevels().ByIndex(state.range(0));
    for (auto _ : state) {
        if (!g_Map.Load(path.c_str()))
            state.SkipWithError("load failed");
    }
    state.SetLabel(kNames[state.range(0)]);
}
BENCHMARK(BM_MapLoad)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(10);

// The record part alone, read as the loader reads it.
void BM_ReadRecords(benchmark::State& state)
{
    const std::string& path = TheLevels().ByIndex(state.range(0));
    for (auto _ : state) {
        FILE* file = fopen(path.c_str(), "rb");
        g_Map.ReadRecords(file);
        fclose(file);
    }
    state.SetLabel(kNames[state.range(0)]);
}
BENCHMARK(BM_ReadRecords)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// The same records read the simple way, one 4-byte fread each: the cost
// the block reading saves.
void BM_ReadRecordsOneFreadEach(benchmark::State& state)
{
    const std::string& path = TheLevels().ByIndex(state.range(0));
    for (auto _ : state) {
        FILE* file = fopen(path.c_str(), "rb");
        unsigned char bytes[4];
        fseek(file, 2, SEEK_SET);
        if (fread(bytes, 1, 4, file) == 4) {
            fseek(file, static_cast<long>(ReadLittleEndian32(bytes)), SEEK_SET);
            while (fread(bytes, 1, 4, file) == 4)
                g_Map.ApplyRecord(ReadLittleEndian32(bytes));
        }
        fclose(file);
    }
    state.SetLabel(kNames[state.range(0)]);
}
BENCHMARK(BM_ReadRecordsOneFreadEach)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace
