// Reading the record part of a level file, shared by the game's loader
// and the level tool so that both see the same records.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "world/LevelRecord.h"

// Reads the record offset, the BMP header's file-size field at offset 2.
// False when the four bytes cannot be read.
bool ReadRecordOffset(FILE* file, uint32_t* offset);

// Reads from the file's current position to its end in large blocks and
// hands every whole little-endian word, in file order, to visit(word).
// Returns the length of the trailing fragment, 0 to 3 bytes.
template <typename Visit>
size_t ReadRecordWords(FILE* file, Visit visit)
{
    unsigned char block[64 * 1024];
    size_t held = 0;
    for (;;) {
        const size_t got = fread(block + held, 1, sizeof block - held, file);
        if (got == 0)
            return held;
        held += got;
        const size_t whole = held - held % 4;
        for (size_t i = 0; i < whole; i += 4)
            visit(ReadLittleEndian32(block + i));
        for (size_t i = whole; i < held; ++i)
            block[i - whole] = block[i];
        held -= whole;
    }
}
