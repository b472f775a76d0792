#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>

#include "BmpBytes.h"
#include "FlyerRun.h"
#include "TestFiles.h"
#include "world/LevelRecord.h"

namespace {

// What a run of flyer on one input came to.
struct Outcome {
    int status = -1;
    std::string out;
    double seconds = 0;
};

// Hostile files against the real binary: every row must end with its
// exact output and status within a bounded time. Rows that load reach the
// frame loop and are ended with Esc.
class BadInput : public ::testing::Test {
protected:
    Outcome Run(const std::string& level)
    {
        const auto start = std::chrono::steady_clock::now();
        FlyerRun run(server_, {level, "640"}, FlyerRun::Options{dir_.Path(), ""});
        Outcome outcome;
        if (run.WaitForFrames(30))
            outcome.status = run.Quit(30);
        else
            outcome.status = run.Process().Wait(30);
        outcome.out = run.Process().Stdout();
        outcome.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        return outcome;
    }

    void ExpectRefused(const std::string& name, const std::string& bytes, const std::string& firstLine)
    {
        SCOPED_TRACE(name);
        WriteFile(dir_.File(name), bytes);
        const Outcome outcome = Run(name);
        EXPECT_EQ(1, outcome.status);
        EXPECT_EQ(firstLine + "g_Map.Load(): " + name + "\n", outcome.out);
        EXPECT_LT(outcome.seconds, 20.0);
    }

    void ExpectPlays(const std::string& name, const std::string& bytes)
    {
        SCOPED_TRACE(name);
        WriteFile(dir_.File(name), bytes);
        const Outcome outcome = Run(name);
        EXPECT_EQ(0, outcome.status);
        EXPECT_EQ("", outcome.out);
        EXPECT_LT(outcome.seconds, 30.0);
    }

    static std::string Tileset(int bitsPerPixel = 24)
    {
        BmpLayout layout;
        layout.bitsPerPixel = bitsPerPixel;
        return MakeBmpBytes(layout);
    }

    static std::string WithBfSize(std::string bmp, uint32_t bfSize)
    {
        unsigned char le[4];
        WriteLittleEndian32(bfSize, le);
        bmp.replace(2, 4, reinterpret_cast<const char*>(le), 4);
        return bmp;
    }

    XvfbServer server_{640, 480};
    TempDir dir_;
};

TEST_F(BadInput, EmptyFoldersTextAndCutHeadersAreRefusedBeforeTheLoop)
{
    ExpectRefused("empty.lvl", "", "SDL_LoadBMP(): Error reading from datastream\n");
    mkdir(dir_.File("folder.lvl").c_str(), 0755);
    const Outcome folder = Run("folder.lvl");
    EXPECT_EQ(1, folder.status);
    EXPECT_EQ("SDL_LoadBMP(): Error reading from datastream\ng_Map.Load(): folder.lvl\n", folder.out);
    ExpectRefused("text.lvl", "#!/bin/sh\necho not a bitmap\n", "SDL_LoadBMP(): File is not a Windows BMP file\n");
    mkfifo(dir_.File("fifo.lvl").c_str(), 0644);  // no writer: opening it would block
    const Outcome fifo = Run("fifo.lvl");
    EXPECT_EQ(1, fifo.status);
    EXPECT_EQ("SDL_LoadBMP(): fifo.lvl is a FIFO or pipe, not a regular file\ng_Map.Load(): fifo.lvl\n", fifo.out);

    const std::string whole = Tileset();
    ExpectRefused("cut1.lvl", whole.substr(0, 1), "SDL_LoadBMP(): Error reading from datastream\n");
    for (size_t length = 2; length < 54; ++length)
        ExpectRefused("cut" + std::to_string(length) + ".lvl", whole.substr(0, length),
                      "SDL_LoadBMP(): BMP file headers are cut short\n");
    // Pixels cut short: SDL finds that itself.
    ExpectRefused("cutpixels.lvl", whole.substr(0, whole.size() / 2),
                  "SDL_LoadBMP(): Error reading from datastream\n");
}

TEST_F(BadInput, EveryDepthSdlReadsLoadsAt304x160AndNoOtherSize)
{
    for (int bits : {1, 4, 8, 16, 24, 32})
        ExpectPlays("depth" + std::to_string(bits) + ".lvl", Tileset(bits));
    BmpLayout fields;
    fields.bitsPerPixel = 32;
    fields.compression = 3;
    fields.topDown = true;
    ExpectPlays("fields32.lvl", MakeBmpBytes(fields));
    BmpLayout core;
    core.coreHeader = true;
    ExpectPlays("core24.lvl", MakeBmpBytes(core));

    for (int bits : {8, 4}) {
        BmpLayout rle;
        rle.bitsPerPixel = bits;
        rle.compression = bits == 8 ? 1 : 2;
        ExpectRefused("rle" + std::to_string(bits) + ".lvl", MakeBmpBytes(rle),
                      "SDL_LoadBMP(): Compressed BMP files not supported\n");
    }
    for (int bits : {1, 4, 8, 16, 24, 32}) {
        BmpLayout small;
        small.bitsPerPixel = bits;
        small.width = 303;
        small.height = bits == 1 ? 160 : 16;
        ExpectRefused("small" + std::to_string(bits) + ".lvl", MakeBmpBytes(small), "");
    }
    BmpLayout huge;
    huge.width = 70000;
    huge.height = 1;
    std::string hugeHeader = MakeBmpBytes(BmpLayout()).substr(0, 54);
    unsigned char le[4];
    WriteLittleEndian32(70000, le);
    hugeHeader.replace(18, 4, reinterpret_cast<const char*>(le), 4);
    ExpectRefused("wide.lvl", hugeHeader, "SDL_LoadBMP(): BMP file too large to load safely\n");

    // Depths that SDL's 8-bit fields wrap: 8193 and 257 make a 1-bit
    // surface without a palette, which crashed the first blit.
    const std::string deepError = "SDL_LoadBMP(): BMP file has a colour depth beyond 32 bits\n";
    for (int bits : {33, 257, 8193, 65535}) {
        BmpLayout deep;
        deep.claimedBitsPerPixel = bits;
        ExpectRefused("deep" + std::to_string(bits) + ".lvl", MakeBmpBytes(deep), deepError);
    }
    core.claimedBitsPerPixel = 8193;
    ExpectRefused("coredeep.lvl", MakeBmpBytes(core), deepError);
}

TEST_F(BadInput, AnyRecordOffsetLoads)
{
    const std::string tileset = Tileset();
    std::string withRecords = tileset;
    for (uint32_t x = 0; x < 16; ++x)
        withRecords += std::string("\x01\x00\x00\x05", 4);
    const uint32_t end = static_cast<uint32_t>(withRecords.size());
    for (uint32_t bfSize : {0u, 1u, 2u, 3u, 6u, end, end + 1, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu})
        ExpectPlays("offset" + std::to_string(bfSize) + ".lvl", WithBfSize(withRecords, bfSize));
}

TEST_F(BadInput, OddRecordsLoad)
{
    std::string outOfRange = Tileset();
    for (uint32_t word : {0x00000400u, 0x00400000u, 0xBF000000u, 0xFFFFFFFFu, 0xFFC00FFFu})
        for (int i = 0; i < 100; ++i) {
            unsigned char le[4];
            WriteLittleEndian32(word, le);
            outOfRange.append(reinterpret_cast<const char*>(le), 4);
        }
    ExpectPlays("outofrange.lvl", outOfRange);

    std::string full = Tileset();
    full.reserve(full.size() + 4 * 1024 * 1024);
    for (uint32_t y = 0; y < 1024; ++y)
        for (uint32_t x = 0; x < 1024; ++x) {
            unsigned char le[4];
            WriteLittleEndian32(EncodeCellRecord(x, y, 1 + (x * 7 + y) % 190), le);
            full.append(reinterpret_cast<const char*>(le), 4);
        }
    ExpectPlays("full.lvl", full);
}

TEST_F(BadInput, BrokenSpritesNeverStopTheGame)
{
    WriteFile(dir_.File("l.lvl"), Tileset());
    const std::string ship = ReadFile(DataDirectory() + "/ship.bmp");
    BmpLayout oneBit;
    oneBit.width = 36;
    oneBit.height = 36;
    oneBit.bitsPerPixel = 1;
    BmpLayout rle = oneBit;
    rle.bitsPerPixel = 8;
    rle.compression = 1;
    BmpLayout wrong = oneBit;
    wrong.width = 32;
    wrong.bitsPerPixel = 24;
    BmpLayout deep = oneBit;
    deep.bitsPerPixel = 24;
    deep.claimedBitsPerPixel = 8193;
    const std::vector<std::pair<std::string, std::string>> kinds = {
        {"empty", ""}, {"truncated", ship.substr(0, ship.size() / 2)}, {"cut header", ship.substr(0, 30)},
        {"1-bit", MakeBmpBytes(oneBit)}, {"RLE", MakeBmpBytes(rle)}, {"wrong size", MakeBmpBytes(wrong)},
        {"8193-bit", MakeBmpBytes(deep)}};
    for (const auto& kind : kinds) {
        SCOPED_TRACE(kind.first);
        for (const char* sprite : {"ship.bmp", "bullet.bmp", "ships.bmp"})
            WriteFile(dir_.File(sprite), kind.second);
        const Outcome outcome = Run("l.lvl");
        EXPECT_EQ(0, outcome.status);
        EXPECT_EQ("", outcome.out);
    }
}

}  // namespace
