#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <set>

#include "world/Starfield.h"
#include "world/TileMap.h"

namespace {

TEST(World, RecordsWriteTheirCellCountedFromTheTopAndBadOnesAreSkipped)
{
    std::unique_ptr<TileMap> map(new TileMap());  // 12 MiB: not on the stack
    const struct {
        uint32_t word;
        int x, y;
        std::vector<int64_t> want;
    } rows[] = {// tile, index, assigned, solid
                {0x01000000, 0, 1023, {1, 0, 1, 1}},
                {0x00000001, 1, 1023, {0, -1, 1, 0}},
                {0xBE3FF123, 0x123, 0, {190, 189, 1, 1}},
                {0x05007003, 3, 1016, {5, 4, 1, 1}},
                {0x09000000, 0, 1023, {9, 8, 1, 1}}};
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

TEST(World, StarfieldIsSeededPaleAndBehindTheMap)
{
    std::unique_ptr<Starfield> field(new Starfield()), again(new Starfield());
    EXPECT_FALSE(field->Init(0, 357) || field->Init(2, 357));
    ASSERT_TRUE(field->Init(1, 357) && (rand(), again->Init(1, 357)));
    EXPECT_EQ(0, memcmp(field->positions, again->positions, sizeof field->positions))
        << "the seed alone decides";
    std::set<float> reds, greens, blues;
    for (int i = 0; i < Starfield::kStarCount; ++i) {
        const float *c = field->colours[i], *p = field->positions[i];
        reds.insert(c[0]), greens.insert(c[1]), blues.insert(c[2]);
        ASSERT_TRUE(p[0] >= -13 && p[0] <= 1036.9f && p[1] >= -13 && p[1] <= 1036.9f && p[2] <= 0 &&
                    p[2] >= -99.9f)
            << i;
    }
    const std::set<float> steps = {0.5f, 0.55f, 0.6f, 0.65f, 0.7f, 0.75f, 0.8f, 0.85f, 0.9f, 0.95f};
    EXPECT_EQ((std::vector<std::set<float>>{steps, {0.7f}, steps}),
              (std::vector<std::set<float>>{reds, greens, blues}));
}

}  // namespace
