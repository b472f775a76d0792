#pragma once

#include <sys/types.h>

// What a file of this mode is, for a message refusing it: "a folder",
// "a FIFO or pipe", "a device", "a socket"; null for a regular file.
// Levels and bitmaps are read only from regular files: a FIFO with no
// writer would block the open, and a device might never end.
const char* NonRegularFileKind(mode_t mode);
