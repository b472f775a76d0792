#include "world/LevelRecordReader.h"

bool ReadRecordOffset(FILE* file, uint32_t* offset)
{
    unsigned char bytes[4];
    if (fseek(file, 2, SEEK_SET) != 0 || fread(bytes, 1, 4, file) != 4)
        return false;
    *offset = ReadLittleEndian32(bytes);
    return true;
}
