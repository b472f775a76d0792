#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <set>
#include <vector>

#include "world/LevelRecordReader.h"
#include "world/Starfield.h"
#include "world/TextureUpload.h"
#include "world/TileMap.h"

namespace {

TEST(TextureUpload, NextPowerOfTwoIsTheSmallestAtLeastNAndOne)
{
    const int32_t rows[][2] = {{0, 1}, {1, 1}, {2, 2}, {3, 4}, {17, 32}, {36, 64}, {64, 64}, {288, 512}, {-5, 1}};
    for (const auto& row : rows)
        EXPECT_EQ(row[1], NextPowerOfTwo(row[0])) << row[0];
}

TEST(TileMap, RecordsWriteTheirCellCountedFromTheTopAndBadOnesAreSkipped)
{
    std::unique_ptr<TileMap> map(new TileMap());  // 12 MiB: not on the stack
    const struct { uint32_t word; bool applied; int x, y; uint32_t tile; int32_t index; } rows[] = {
        {0x01000000, true, 0, 1023, 1, 0},   {0x00000001, true, 1, 1023, 0, -1}, {0xBE3FF123, true, 0x123, 0, 190, 189},
        {0x05007003, true, 3, 1016, 5, 4},   {0x00000400, false, 0, 0, 0, 0},    {0x00400000, false, 0, 0, 0, 0},
        {0xBF000000, false, 0, 0, 0, 0}};
    for (const auto& row : rows) {
        EXPECT_EQ(row.applied, map->ApplyRecord(row.word)) << std::hex << row.word;
        if (row.applied) {
            EXPECT_EQ(row.tile, map->cells[row.x][row.y].tile) << std::hex << row.word;
            EXPECT_EQ(row.index, map->cells[row.x][row.y].textureIndex) << std::hex << row.word;
            EXPECT_EQ(1, map->cells[row.x][row.y].assigned);
            EXPECT_EQ(row.tile != 0, map->IsSolid(row.x, row.y));
        }
    }
    EXPECT_FALSE(map->IsSolid(0, 0));
    EXPECT_EQ(0u, map->cells[0][0].tile) << "skipped records write nothing";
    map->ApplyRecord(0x09000000);
    EXPECT_EQ(9u, map->cells[0][1023].tile) << "the later record wins";
    const int outside[][2] = {{-1, 5}, {5, -1}, {1024, 0}, {0, 1024}};
    for (const auto& cell : outside)
        EXPECT_TRUE(map->IsSolid(cell[0], cell[1])) << cell[0] << "," << cell[1];
}

TEST(TileMap, RecordReaderHandsOverWholeLittleEndianWordsAndTheFragment)
{
    FILE* file = tmpfile();
    ASSERT_NE(nullptr, file);
    std::vector<uint32_t> words;
    for (uint32_t i = 0; i < 40000; ++i)  // more than two of the reader's blocks
        words.push_back(i * 2654435761u);
    for (uint32_t word : words) {
        const unsigned char bytes[4] = {uint8_t(word), uint8_t(word >> 8), uint8_t(word >> 16), uint8_t(word >> 24)};
        fwrite(bytes, 1, 4, file);
    }
    fwrite("xy", 1, 2, file);
    rewind(file);
    uint32_t offset = 0;
    EXPECT_TRUE(ReadRecordOffset(file, &offset));
    EXPECT_EQ(words[0] >> 16 | words[1] << 16, offset);
    fseek(file, 0, SEEK_SET);
    std::vector<uint32_t> seen;
    EXPECT_EQ(2u, ReadRecordWords(file, [&](uint32_t word) { seen.push_back(word); }));
    EXPECT_EQ(words, seen);
    fclose(file);
}

TEST(Starfield, SeededFieldOfPaleStarsBehindTheMap)
{
    std::unique_ptr<Starfield> field(new Starfield()), again(new Starfield());
    memset(field->positions, 0, sizeof field->positions);
    EXPECT_FALSE(field->Init(0, 357));
    EXPECT_FALSE(field->Init(2, 357));
    EXPECT_EQ(0.0f, field->positions[19999][0]) << "other modes change nothing";
    ASSERT_TRUE(field->Init(1, 357));
    rand();
    again->Init(1, 357);
    EXPECT_EQ(0, memcmp(field->positions, again->positions, sizeof field->positions)) << "the seed alone decides";
    std::set<float> reds, blues;
    for (int i = 0; i < Starfield::kStarCount; ++i) {
        const float* c = field->colours[i];
        const float* p = field->positions[i];
        reds.insert(c[0]), blues.insert(c[2]);
        ASSERT_EQ(0.7f, c[1]);
        ASSERT_TRUE(p[0] >= -13 && p[0] <= 1036.9f && p[1] >= -13 && p[1] <= 1036.9f) << p[0] << "," << p[1];
        ASSERT_TRUE(p[2] <= 0 && p[2] >= -99.9f) << p[2];
    }
    const std::set<float> steps = {0.5f, 0.55f, 0.6f, 0.65f, 0.7f, 0.75f, 0.8f, 0.85f, 0.9f, 0.95f};
    EXPECT_EQ(steps, reds);
    EXPECT_EQ(steps, blues);
}

}  // namespace
