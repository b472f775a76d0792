#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "world/Starfield.h"
#include "world/TileMap.h"

namespace {

TEST(World, RecordsWriteTheirCellCountedFromTheTopAndBadOnesAreSkipped)
{
    std::unique_ptr<TileMap> map(new TileMap());  // 12 MiB: not on the stack
    // clang-format off
    const struct {
        uint32_t word;
        int x, y;
        std::vector<int64_t> want;
    } rows[] = {
        {0x01000000, 0, 1023, {1, 0, 1, 1}},  // tile, index, assigned, solid
        {0x00000001, 1, 1023, {0, -1, 1, 0}},
        {0xBE3FF123, 0x123, 0, {190, 189, 1, 1}},
        {0x05007003, 3, 1016, {5, 4, 1, 1}},
        {0x09000000, 0, 1023, {9, 8, 1, 1}},
    };
    // clang-format on
    for (const auto& row : rows) {
        EXPECT_TRUE(map->ApplyRecord(row.word)) << std::hex << row.word;
        const TileCell& cell = map->cells[row.x][row.y];
        EXPECT_EQ(row.want, (std::vector<int64_t>{cell.tile, cell.textureIndex, cell.assigned,
                                                  map->IsSolid(row.x, row.y)}))
            << std::hex << row.word;
    }
    for (uint32_t word : {0x00000400u, 0x00400000u, 0xBF000000u})
        EXPECT_FALSE(map->ApplyRecord(word)) << std::hex << word;
    EXPECT_FALSE(map->IsSolid(0, 0) || map->IsSolid(1023, 1022));
    EXPECT_TRUE(map->IsSolid(-1, 5) && map->IsSolid(5, -1) && map->IsSolid(1024, 0) &&
                map->IsSolid(0, 1024));
}

TEST(World, StarfieldIsTheSeededRandSequenceInTheGivenFormulas)
{
    std::unique_ptr<Starfield> field(new Starfield());
    EXPECT_FALSE(field->Init(0, 357));
    EXPECT_FALSE(field->Init(2, 357));
    EXPECT_EQ(0.0f, field->colours[0][0]) << "a mode other than 1 changes nothing";
    rand();  // the seed alone decides, whatever the generator did before
    ASSERT_TRUE(field->Init(1, 357));
    // What starfield_stars.py, beside this file, prints: star, red, green, blue, x, y, z.
    const float stars[][7] = {
        {0, 0.6f, 0.7f, 0.5f, 594.3f, 248.4f, -54.5f},
        {1, 0.8f, 0.7f, 0.7f, 949.5f, 225.1f, -36.1f},
        {9999, 0.65f, 0.7f, 0.7f, 88.3f, 889.7f, -47.3f},
        {19999, 0.9f, 0.7f, 0.8f, 743.8f, 170, -84.7f},
    };
    for (const auto& star : stars) {
        const float* c = field->colours[static_cast<int>(star[0])];
        const float* p = field->positions[static_cast<int>(star[0])];
        EXPECT_EQ(std::vector<float>(star + 1, star + 7),
                  (std::vector<float>{c[0], c[1], c[2], p[0], p[1], p[2]}))
            << "star " << star[0];
    }
}

}  // namespace
