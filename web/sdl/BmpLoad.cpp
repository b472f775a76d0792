// SDL 1.2's file streams and BMP loading on the web. Emscripten's SDL
// hands out plain numbers for streams, which the game's header check reads
// through as structures, and decodes images with the browser; here a stream
// is a stdio file and stb_image decodes the bitmap.
#include <SDL.h>

#include <cstdio>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#include <stb_image.h>

namespace {

FILE* File(SDL_RWops* stream)
{
    return static_cast<FILE*>(stream->hidden.unknown.data1);
}

long Seek(SDL_RWops* stream, long offset, int whence)
{
    if (fseek(File(stream), offset, whence) != 0) {
        SDL_SetError("Error seeking in datastream");
        return -1;
    }
    return ftell(File(stream));
}

size_t Read(SDL_RWops* stream, void* data, size_t size, size_t count)
{
    const size_t got = fread(data, size, count, File(stream));
    if (got == 0 && ferror(File(stream)))
        SDL_SetError("Error reading from datastream");
    return got;
}

size_t Write(SDL_RWops*, const void*, size_t, size_t)
{
    SDL_SetError("Error writing to datastream");
    return 0;
}

int Close(SDL_RWops* stream)
{
    fclose(File(stream));
    delete stream;
    return 0;
}

// The stream stb_image reads from. stb_image takes bytes it finds missing
// at the end as zeros; SDL refuses a bitmap that ends early, and so does
// this. (stb_image reads ahead in blocks: a short block is no sign, only a
// read that finds nothing at all.)
struct StbSource {
    SDL_RWops* stream;
    bool endedEarly;
};

int StbRead(void* user, char* data, int size)
{
    StbSource* source = static_cast<StbSource*>(user);
    const size_t got = SDL_RWread(source->stream, data, 1, static_cast<size_t>(size));
    if (got == 0 && size > 0)
        source->endedEarly = true;
    return static_cast<int>(got);
}

void StbSkip(void* user, int count)
{
    SDL_RWseek(static_cast<StbSource*>(user)->stream, count, RW_SEEK_CUR);
}

int StbAtEnd(void* user)
{
    return feof(File(static_cast<StbSource*>(user)->stream));
}

// The decoded image as a 32-bit surface without alpha, as SDL gives a BMP.
SDL_Surface* MakeSurface(const unsigned char* rgba, int width, int height)
{
    SDL_Surface* surface =
        SDL_CreateRGBSurface(0, width, height, 32, 0x000000FF, 0x0000FF00, 0x00FF0000, 0);
    if (surface == nullptr)
        return nullptr;
    Uint32* pixels = static_cast<Uint32*>(surface->pixels);
    for (int i = 0; i < width * height; ++i) {
        const unsigned char* p = rgba + i * 4;
        pixels[i] = p[0] | (p[1] << 8) | (p[2] << 16);
    }
    return surface;
}

}  // namespace

extern "C" {

SDL_RWops* SDL_RWFromFile(const char* path, const char* mode)
{
    FILE* file = fopen(path, mode);
    if (file == nullptr) {
        SDL_SetError("Couldn't open %s", path);
        return nullptr;
    }
    SDL_RWops* stream = new SDL_RWops();
    stream->seek = Seek;
    stream->read = Read;
    stream->write = Write;
    stream->close = Close;
    stream->hidden.unknown.data1 = file;
    return stream;
}

SDL_Surface* SDL_LoadBMP_RW(SDL_RWops* stream, int freeStream)
{
    if (stream == nullptr)
        return nullptr;
    SDL_Surface* surface = nullptr;
    const long start = SDL_RWseek(stream, 0, RW_SEEK_CUR);
    char magic[2] = {0, 0};
    if (SDL_RWread(stream, magic, 1, 2) != 2 || magic[0] != 'B' || magic[1] != 'M') {
        SDL_SetError("File is not a Windows BMP file");
    } else {
        SDL_RWseek(stream, start, RW_SEEK_SET);
        const stbi_io_callbacks callbacks = {StbRead, StbSkip, StbAtEnd};
        StbSource source = {stream, false};
        int width = 0, height = 0, channels = 0;
        unsigned char* rgba =
            stbi_load_from_callbacks(&callbacks, &source, &width, &height, &channels, 4);
        if (rgba == nullptr) {
            SDL_SetError("Error reading BMP file: %s", stbi_failure_reason());
        } else if (source.endedEarly) {
            SDL_SetError("Error reading from datastream");
            stbi_image_free(rgba);
        } else {
            surface = MakeSurface(rgba, width, height);
            stbi_image_free(rgba);
        }
    }
    if (freeStream)
        SDL_RWclose(stream);
    return surface;
}

}  // extern "C"
