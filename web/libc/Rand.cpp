// The C library's rand() and srand() of the web build: glibc's sequence in
// place of Emscripten's, so that a seed gives the desktop's numbers.
#include <cstdlib>

#include "libc/GlibcRandom.h"

namespace {

GlibcRandom& Generator()
{
    static GlibcRandom generator;
    return generator;
}

}  // namespace

extern "C" {

int rand(void)
{
    return Generator().Next();
}

void srand(unsigned seed)
{
    Generator().Seed(seed);
}

}  // extern "C"
