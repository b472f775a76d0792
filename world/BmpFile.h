#pragma once

#include <cstddef>
#include <cstdint>

struct SDL_Surface;

// The bytes of a BMP file's headers that CheckBmpHeaders looks at: the
// 14-byte file header and a 40-byte info header.
const size_t kBmpHeadersSize = 54;

// Checks the headers of a BMP file for what SDL 1.2's reader cannot take
// safely: headers cut short, which it reads on from uninitialised values,
// sides so large that its 16-bit pitch wraps or the pixels cannot be
// allocated, and colour depths above 32 bits, which its 8-bit depth fields
// wrap. Anything else, right or wrong, is left to SDL, so that its own
// messages stay. `head` holds the first bytes of the file (up to
// kBmpHeadersSize are looked at). Sets `reason` and returns false for a
// file SDL must not see.
bool CheckBmpHeaders(const unsigned char* head, size_t available, const char** reason);

// SDL_LoadBMP_RW on the file, after CheckBmpHeaders. Null with SDL's error
// set, to the check's reason where it refused the file. A FIFO, a pipe or
// a device is refused, without waiting on it, with the reason in SDL's
// error.
SDL_Surface* LoadCheckedBmp(const char* path);
