// A preloaded counter of heap allocations per frame, for soak runs:
//   LD_PRELOAD=libflyer-alloc-counter.so FLYER_ALLOC_REPORT=out.txt flyer …
// It counts every malloc, calloc, realloc and aligned allocation, and those
// among them called from the flyer executable's own code, and takes each
// SDL_GL_SwapBuffers as the end of a frame. Frames before the 100th are
// start-up and warm-up; the report gives the counts after it, and the
// seconds from it to the last frame.
#include <dlfcn.h>
#include <link.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* old, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
}

namespace {

// FLYER_ALLOC_WARMUP may set another number of warm-up frames.
unsigned long g_warmUpFrames = 100;

uintptr_t g_programStart = 0;
uintptr_t g_programEnd = 0;
unsigned long g_frames = 0;
unsigned long g_all = 0;
unsigned long g_fromProgram = 0;
unsigned long g_allAtWarmUp = 0;
unsigned long g_fromProgramAtWarmUp = 0;
double g_warmUpTime = 0;
double g_lastFrameTime = 0;

double Now()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + now.tv_nsec / 1e9;
}

int FindProgram(dl_phdr_info* info, size_t, void*)
{
    // The first object is the executable itself.
    for (int i = 0; i < info->dlpi_phnum; ++i) {
        const ElfW(Phdr)& header = info->dlpi_phdr[i];
        if (header.p_type == PT_LOAD && (header.p_flags & PF_X)) {
            g_programStart = info->dlpi_addr + header.p_vaddr;
            g_programEnd = g_programStart + header.p_memsz;
        }
    }
    return 1;
}

inline void Count(void* caller)
{
    ++g_all;
    const uintptr_t at = reinterpret_cast<uintptr_t>(caller);
    if (at >= g_programStart && at < g_programEnd)
        ++g_fromProgram;
}

__attribute__((constructor)) void Start()
{
    dl_iterate_phdr(FindProgram, nullptr);
    if (const char* warmUp = getenv("FLYER_ALLOC_WARMUP"))
        g_warmUpFrames = strtoul(warmUp, nullptr, 10);
}

__attribute__((destructor)) void Report()
{
    const char* path = getenv("FLYER_ALLOC_REPORT");
    if (path == nullptr)
        return;
    FILE* out = fopen(path, "w");
    if (out == nullptr)
        return;
    const unsigned long measured = g_frames > g_warmUpFrames ? g_frames - g_warmUpFrames : 0;
    fprintf(out, "frames %lu\nmeasured_frames %lu\nmeasured_seconds %.6f\nallocations_all %lu\n"
            "allocations_program %lu\n", g_frames, measured, measured > 0 ? g_lastFrameTime - g_warmUpTime : 0.0,
            g_all - g_allAtWarmUp, g_fromProgram - g_fromProgramAtWarmUp);
    fclose(out);
}

}  // namespace

extern "C" {

void* malloc(size_t size)
{
    Count(__builtin_return_address(0));
    return __libc_malloc(size);
}

void* calloc(size_t count, size_t size)
{
    Count(__builtin_return_address(0));
    return __libc_calloc(count, size);
}

void* realloc(void* old, size_t size)
{
    Count(__builtin_return_address(0));
    return __libc_realloc(old, size);
}

void* memalign(size_t alignment, size_t size)
{
    Count(__builtin_return_address(0));
    return __libc_memalign(alignment, size);
}

void* aligned_alloc(size_t alignment, size_t size)
{
    Count(__builtin_return_address(0));
    return __libc_memalign(alignment, size);
}

int posix_memalign(void** out, size_t alignment, size_t size)
{
    Count(__builtin_return_address(0));
    *out = __libc_memalign(alignment, size);
    return *out == nullptr ? 12 : 0;
}

void SDL_GL_SwapBuffers()
{
    using Swap = void (*)();
    static Swap next = reinterpret_cast<Swap>(dlsym(RTLD_NEXT, "SDL_GL_SwapBuffers"));
    next();
    g_lastFrameTime = Now();
    if (++g_frames == g_warmUpFrames) {
        g_allAtWarmUp = g_all;
        g_fromProgramAtWarmUp = g_fromProgram;
        g_warmUpTime = g_lastFrameTime;
    }
}

}  // extern "C"
