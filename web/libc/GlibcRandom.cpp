#include "libc/GlibcRandom.h"

void GlibcRandom::Seed(uint32_t seed)
{
    // glibc keeps the words as signed 32-bit numbers and steps the seed by
    // Schrage's method, so that 16807 x never leaves 32 bits.
    int32_t word = seed == 0 ? 1 : static_cast<int32_t>(seed);
    words[0] = static_cast<uint32_t>(word);
    for (int i = 1; i < kWords; ++i) {
        const int32_t high = word / 127773;
        const int32_t low = word % 127773;
        word = 16807 * low - 2836 * high;
        if (word < 0)
            word += 2147483647;
        words[i] = static_cast<uint32_t>(word);
    }
    front = kSeparation;
    rear = 0;
    for (int i = 0; i < kWords * 10; ++i)
        Next();
}

int32_t GlibcRandom::Next()
{
    words[front] += words[rear];
    const int32_t result = static_cast<int32_t>(words[front] >> 1);
    front = (front + 1) % kWords;
    rear = (rear + 1) % kWords;
    return result;
}
