#pragma once

#include <cstdint>

// glibc's rand(): the additive feedback generator of its random() with 31
// words of state (TYPE_3), r[i] = r[i-3] + r[i-31], each result the sum
// shifted right by one. Seeding fills the words by 16807 x mod 2^31 - 1 and
// throws away the first 310 results. The web build draws its stars and
// exhaust from it, so that they fall where the desktop's do.
class GlibcRandom {
public:
    // As glibc before any srand: seeded with 1.
    GlibcRandom() { Seed(1); }

    void Seed(uint32_t seed);
    int32_t Next();

private:
    static const int kWords = 31;
    static const int kSeparation = 3;

    uint32_t words[kWords];
    int front = kSeparation;
    int rear = 0;
};
