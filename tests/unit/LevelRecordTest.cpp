#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "TestFiles.h"
#include "world/LevelRecordReader.h"
#include "world/TileMap.h"

namespace {

// The map is 12 MiB: never on the stack.
std::unique_ptr<TileMap> NewMap()
{
    return std::unique_ptr<TileMap>(new TileMap());
}

TEST(LevelRecord, FieldLayoutMatchesHandComputedWords)
{
    const CellRecord first = DecodeCellRecord(0x01000000u);
    EXPECT_EQ(0u, first.x);
    EXPECT_EQ(0u, first.y);
    EXPECT_EQ(1u, first.tile);
    const CellRecord mixed = DecodeCellRecord(0xBE3FF123u);  // tile 190, y 1023, x 0x123
    EXPECT_EQ(0x123u, mixed.x);
    EXPECT_EQ(1023u, mixed.y);
    EXPECT_EQ(190u, mixed.tile);
    EXPECT_EQ(0xBE3FF123u, EncodeCellRecord(0x123, 1023, 190));
    EXPECT_EQ(0x05007003u, EncodeCellRecord(3, 7, 5));

    const unsigned char bytes[4] = {0x23, 0xF1, 0x3F, 0xBE};
    EXPECT_EQ(0xBE3FF123u, ReadLittleEndian32(bytes));
    unsigned char out[4];
    WriteLittleEndian32(0x01020304u, out);
    EXPECT_EQ(0x04, out[0]);
    EXPECT_EQ(0x01, out[3]);
}

TEST(LevelRecord, RecordsWriteFlippedRowsAndOutOfRangeOnesAreSkipped)
{
    auto map = NewMap();
    EXPECT_TRUE(map->ApplyRecord(0x01000000u));
    EXPECT_EQ(1u, map->cells[0][1023].tile);
    EXPECT_EQ(0, map->cells[0][1023].textureIndex);
    EXPECT_TRUE(map->IsSolid(0, 1023));

    EXPECT_TRUE(map->ApplyRecord(0x00000001u));  // tile 0 at (1, row 0)
    EXPECT_EQ(0u, map->cells[1][1023].tile);
    EXPECT_EQ(-1, map->cells[1][1023].textureIndex);
    EXPECT_EQ(1, map->cells[1][1023].assigned);
    EXPECT_FALSE(map->IsSolid(1, 1023));

    for (uint32_t bad : {0x00000400u, 0x00400000u, 0xBF000000u, 0xFFFFFFFFu})
        EXPECT_FALSE(map->ApplyRecord(bad)) << std::hex << bad;
    EXPECT_TRUE(map->ApplyRecord(0xBE000005u));
    EXPECT_EQ(190u, map->cells[5][1023].tile);
    EXPECT_EQ(189, map->cells[5][1023].textureIndex);

    EXPECT_TRUE(map->ApplyRecord(EncodeCellRecord(7, 1023, 4)));
    EXPECT_TRUE(map->ApplyRecord(EncodeCellRecord(7, 1023, 9)));
    EXPECT_EQ(9u, map->cells[7][0].tile) << "the later record wins";
}

TEST(LevelRecord, IsSolidAtAndBeyondTheEdges)
{
    auto map = NewMap();
    EXPECT_FALSE(map->IsSolid(0, 0));
    EXPECT_FALSE(map->IsSolid(1023, 1023));
    EXPECT_TRUE(map->IsSolid(-1, 5));
    EXPECT_TRUE(map->IsSolid(5, -1));
    EXPECT_TRUE(map->IsSolid(1024, 0));
    EXPECT_TRUE(map->IsSolid(0, 1024));
    EXPECT_TRUE(map->IsSolid(INT32_MIN, INT32_MAX));
}

TEST(LevelRecord, ReaderHandsOverWholeWordsAcrossBlocksAndReportsTheFragment)
{
    TempDir dir;
    const std::string path = dir.File("words");
    std::vector<uint32_t> words;
    for (uint32_t i = 0; i < 40000; ++i)  // more than two 64 KiB blocks
        words.push_back(i * 2654435761u);
    ASSERT_TRUE(WriteFile(path, "BM"));
    ASSERT_TRUE(AppendWords(path, words));
    ASSERT_TRUE(AppendBytes(path, "xy"));
    FILE* file = fopen(path.c_str(), "rb");
    ASSERT_NE(nullptr, file);
    fseek(file, 2, SEEK_SET);
    std::vector<uint32_t> seen;
    const size_t fragment = ReadRecordWords(file, [&](uint32_t word) { seen.push_back(word); });
    fclose(file);
    EXPECT_EQ(2u, fragment);
    EXPECT_EQ(words, seen);
}

TEST(LevelRecord, OffsetIsTheLittleEndianWordAtTwo)
{
    TempDir dir;
    const std::string path = dir.File("head");
    ASSERT_TRUE(WriteFile(path, std::string("BM\x36\x3A\x02\x00", 6)));
    FILE* file = fopen(path.c_str(), "rb");
    uint32_t offset = 0;
    EXPECT_TRUE(ReadRecordOffset(file, &offset));
    EXPECT_EQ(0x023A36u, offset);
    fclose(file);
    ASSERT_TRUE(WriteFile(path, "BM\x01"));
    file = fopen(path.c_str(), "rb");
    EXPECT_FALSE(ReadRecordOffset(file, &offset));
    fclose(file);
}

}  // namespace
