#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <set>

#include "world/Starfield.h"

namespace {

std::unique_ptr<Starfield> NewStarfield()
{
    // Zeroed as the static object is before Init.
    std::unique_ptr<Starfield> field(new Starfield());
    memset(field->colours, 0, sizeof field->colours);
    memset(field->positions, 0, sizeof field->positions);
    return field;
}

TEST(Starfield, OtherModesChangeNothing)
{
    auto field = NewStarfield();
    EXPECT_FALSE(field->Init(0, 357));
    EXPECT_FALSE(field->Init(2, 357));
    for (int i = 0; i < Starfield::kStarCount; ++i)
        for (int c = 0; c < 3; ++c) {
            ASSERT_EQ(0.0f, field->colours[i][c]);
            ASSERT_EQ(0.0f, field->positions[i][c]);
        }
}

TEST(Starfield, FollowsTheFormulasInRandOrder)
{
    auto field = NewStarfield();
    ASSERT_TRUE(field->Init(1, 357));
    // Replays the generator independently: five draws per star in the
    // order red, blue, x, y, z.
    srand(357);
    for (int i = 0; i < Starfield::kStarCount; ++i) {
        const int red = rand() % 10, blue = rand() % 10;
        const int x = rand() % 10500, y = rand() % 10500, z = rand() % 1000;
        ASSERT_EQ(static_cast<float>(red / 20.0 + 0.5), field->colours[i][0]) << i;
        ASSERT_EQ(0x3F333333u, [&] { uint32_t bits; memcpy(&bits, &field->colours[i][1], 4); return bits; }());
        ASSERT_EQ(static_cast<float>(blue / 20.0 + 0.5), field->colours[i][2]);
        ASSERT_EQ(static_cast<float>(x / 10.0 - 13.0), field->positions[i][0]);
        ASSERT_EQ(static_cast<float>(y / 10.0 - 13.0), field->positions[i][1]);
        ASSERT_EQ(static_cast<float>(-(z / 10.0)), field->positions[i][2]);
    }
}

TEST(Starfield, RangesAndDeterminism)
{
    auto first = NewStarfield();
    auto second = NewStarfield();
    first->Init(1, 357);
    rand();  // disturb the generator between the two runs
    second->Init(1, 357);
    EXPECT_EQ(0, memcmp(first->positions, second->positions, sizeof first->positions));
    EXPECT_EQ(0, memcmp(first->colours, second->colours, sizeof first->colours));

    std::set<float> reds;
    for (int i = 0; i < Starfield::kStarCount; ++i) {
        const float* c = first->colours[i];
        const float* p = first->positions[i];
        reds.insert(c[0]);
        ASSERT_GE(c[0], 0.5f);
        ASSERT_LE(c[0], 0.95f + 1e-6f);
        ASSERT_GE(c[2], 0.5f);
        ASSERT_LE(c[2], 0.95f + 1e-6f);
        ASSERT_GE(p[0], -13.0f);
        ASSERT_LE(p[0], 1036.9f + 1e-3f);
        ASSERT_GE(p[1], -13.0f);
        ASSERT_LE(p[1], 1036.9f + 1e-3f);
        ASSERT_LE(p[2], 0.0f);
        ASSERT_GE(p[2], -99.9f - 1e-3f);
    }
    EXPECT_EQ(10u, reds.size()) << "every tenth step of red appears";

    auto other = NewStarfield();
    other->Init(1, 358);
    EXPECT_NE(0, memcmp(first->positions, other->positions, sizeof first->positions));
}

}  // namespace
