#include "world/BmpFile.h"

#include <SDL.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "world/FileKind.h"
#include "world/LevelRecord.h"

namespace {

// SDL 1.2 keeps a surface's pitch in 16 bits: 4 bytes a pixel must fit.
const int64_t kMaxSide = 16383;
const int64_t kMaxPixels = 1 << 24;
// SDL 1.2 keeps a surface's bits and bytes per pixel in 8 bits each: a
// deeper count wraps (8193 bits become a 1-bit surface with no palette,
// which the first blit reads through a null pointer), and no BMP has one.
const unsigned kMaxDepth = 32;

unsigned ReadLittleEndian16(const unsigned char* bytes)
{
    return bytes[0] | (bytes[1] << 8);
}

}  // namespace

bool CheckBmpHeaders(const unsigned char* head, size_t available, const char** reason)
{
    // Not even the magic, or not "BM": SDL says so itself.
    if (available < 2 || head[0] != 'B' || head[1] != 'M')
        return true;
    const uint32_t infoSize = available >= 18 ? ReadLittleEndian32(head + 14) : 0;
    if (available < 18 || available < (infoSize == 12 ? 26u : kBmpHeadersSize)) {
        *reason = "BMP file headers are cut short";
        return false;
    }
    int64_t width = 0;
    int64_t height = 0;
    unsigned depth = 0;
    if (infoSize == 12) {
        width = ReadLittleEndian16(head + 18);
        height = ReadLittleEndian16(head + 20);
        depth = ReadLittleEndian16(head + 24);
    } else {
        width = static_cast<int32_t>(ReadLittleEndian32(head + 18));
        height = static_cast<int32_t>(ReadLittleEndian32(head + 22));
        height = height < 0 ? -height : height;
        depth = ReadLittleEndian16(head + 28);
    }
    if (width > kMaxSide || height > kMaxSide || width * height > kMaxPixels) {
        *reason = "BMP file too large to load safely";
        return false;
    }
    if (depth > kMaxDepth) {
        *reason = "BMP file has a colour depth beyond 32 bits";
        return false;
    }
    return true;
}

SDL_Surface* LoadCheckedBmp(const char* path)
{
    // Looked at without blocking first: SDL's open would wait for ever on a
    // FIFO with no writer, and a device might never end. A folder fails
    // SDL's first read by itself.
    const int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat status;
    const char* kind = fd >= 0 && fstat(fd, &status) == 0 && !S_ISDIR(status.st_mode)
                           ? NonRegularFileKind(status.st_mode)
                           : nullptr;
    if (fd >= 0)
        close(fd);
    if (kind != nullptr) {
        SDL_SetError("%s is %s, not a regular file", path, kind);
        return nullptr;
    }
    SDL_RWops* file = SDL_RWFromFile(path, "rb");
    if (file == nullptr)
        return nullptr;
    unsigned char head[kBmpHeadersSize];
    const int got = SDL_RWread(file, head, 1, sizeof head);
    const char* reason = nullptr;
    if (!CheckBmpHeaders(head, got > 0 ? static_cast<size_t>(got) : 0, &reason)) {
        SDL_RWclose(file);
        SDL_SetError("%s", reason);
        return nullptr;
    }
    if (SDL_RWseek(file, 0, RW_SEEK_SET) != 0) {
        SDL_RWclose(file);
        SDL_SetError("%s cannot be read from its start again", path);
        return nullptr;
    }
    return SDL_LoadBMP_RW(file, 1);
}
