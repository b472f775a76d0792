// web/gl's atlas: where images go, worked out by hand, and their borders.
#include <cstring>

#include <gtest/gtest.h>

#include "gl/TextureAtlas.h"

namespace {

TEST(WebAtlas, PlacesImagesOnShelvesInsideTheirBorders)
{
    struct Case {
        int width, height;
        bool placed;
        int x, y;
    };
    // clang-format off
    const Case cases[] = {
        {1, 1, true, 1, 1},           // the first shelf: 3 x 3 with the border
        {16, 16, true, 4, 1},         // beside it; the shelf is 18 high now
        {1000, 10, true, 22, 1},      // ends at 1023, one texel short of the side
        {1, 1, true, 1, 19},          // 3 more would pass 1024: a new shelf below the 18
        {1022, 5, true, 1, 22},       // exactly the side with its border: a new shelf
        {1023, 1, false, 0, 0},       // wider than the side with its border
        {10, 996, false, 0, 0},       // the shelf at 28 plus 998 passes the bottom
        {10, 994, true, 1, 29},       // 28 + 996 reaches the bottom exactly
        {1, 1, true, 13, 29},         // the same shelf
    };
    // clang-format on
    TextureAtlas atlas;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        int x = 0, y = 0;
        ASSERT_EQ(c.placed, atlas.Place(c.width, c.height, &x, &y));
        if (c.placed) {
            EXPECT_EQ((std::vector<int>{c.x, c.y}), (std::vector<int>{x, y}));
        }
    }
}

// Each texel is its own number; the border repeats the edge, corners included.
TEST(WebAtlas, BorderRepeatsTheImagesEdges)
{
    struct Case {
        int width, height;
        std::vector<uint32_t> image, bordered;
    };
    // clang-format off
    const Case cases[] = {
        {2, 2, {1, 2, 3, 4}, {1, 1, 2, 2, 1, 1, 2, 2, 3, 3, 4, 4, 3, 3, 4, 4}},
        {3, 1, {5, 6, 7}, {5, 5, 6, 7, 7, 5, 5, 6, 7, 7, 5, 5, 6, 7, 7}},
        {1, 2, {0x11223344, 0xAABBCCDD}, {0x11223344, 0x11223344, 0x11223344, 0x11223344, 0x11223344, 0x11223344,
                                          0xAABBCCDD, 0xAABBCCDD, 0xAABBCCDD, 0xAABBCCDD, 0xAABBCCDD, 0xAABBCCDD}},
    };
    // clang-format on
    for (const Case& c : cases) {
        const std::vector<uint8_t> out = TextureAtlas::Bordered(
            c.width, c.height, reinterpret_cast<const uint8_t*>(c.image.data()));
        std::vector<uint32_t> texels(out.size() / 4);
        memcpy(texels.data(), out.data(), out.size());
        EXPECT_EQ(c.bordered, texels);
    }
}

}  // namespace
