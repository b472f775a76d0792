// The web build's rand() against glibc's own, which this test links.
#include <gtest/gtest.h>

#include <cstdlib>

#include "libc/GlibcRandom.h"

namespace {

TEST(GlibcRandom, GivesGlibcRandsSequenceForEachSeed)
{
    GlibcRandom fresh;
    srand(1);  // glibc's rand before any srand
    for (int i = 0; i < 1000; ++i)
        ASSERT_EQ(rand(), fresh.Next()) << "unseeded, result " << i;
    // Seed 0 stands for 1; seeds from 2^31 on are negative words for glibc.
    for (unsigned seed : {0u, 1u, 357u, 2147483647u, 2147483648u, 4294967295u}) {
        GlibcRandom random;
        random.Seed(seed);
        srand(seed);
        for (int i = 0; i < 1000; ++i)
            ASSERT_EQ(rand(), random.Next()) << "seed " << seed << ", result " << i;
    }
}

}  // namespace
