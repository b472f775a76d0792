// A preloaded counter of heap allocations per frame, for soak runs:
//   LD_PRELOAD=libflyer-alloc-counter.so FLYER_ALLOC_REPORT=out.txt flyer …
// It counts every malloc, calloc, realloc, aligned allocation and operator
// new, and those among them called from the flyer executable's own code (a
// std::vector's allocation is flyer's: the allocator's templates are
// compiled into it and call operator new from there), and takes each
// SDL_GL_SwapBuffers as the end of a frame. Frames before the 100th are
// start-up and warm-up; the report gives the counts after it, and the
// seconds from it to the last frame.
//
// It also follows the bytes in use on the heap. Mesa allocates and frees
// many megabytes in every frame, more the more tiles are in view, and its
// rasteriser threads still hold a frame's work when the swap returns, so
// neither the resident size, the peak nor the figure at a frame's end
// tells a leak; the floor does: the lowest figure at any moment, reached
// whenever Mesa has let go of its frames. A cache that fills lifts the
// floor once; a leak lifts it all the time. The report gives, for each
// eighth of the measured frames, the median floor of its blocks of 100.
#include <algorithm>
#include <new>

#include <dlfcn.h>
#include <link.h>
#include <malloc.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* old, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
void __libc_free(void* block);
}

namespace {

// FLYER_ALLOC_WARMUP may set another number of warm-up frames.
unsigned long g_warmUpFrames = 100;

uintptr_t g_programStart = 0;
uintptr_t g_programEnd = 0;
unsigned long g_frames = 0;
// Mesa's rasteriser threads allocate too.
unsigned long g_all = 0;
unsigned long g_fromProgram = 0;
long long g_inUse = 0;
long long g_lowSinceBlock = 0;
unsigned long g_allAtWarmUp = 0;
unsigned long g_fromProgramAtWarmUp = 0;
double g_warmUpTime = 0;
double g_lastFrameTime = 0;

// The floor in each block of frames after the warm-up; a soak longer than
// the table leaves the later blocks out.
constexpr unsigned long kBlockFrames = 100;
constexpr unsigned long kMaxBlocks = 1 << 16;
long long g_blockFloor[kMaxBlocks];
unsigned long g_blocks = 0;

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
    __atomic_add_fetch(&g_all, 1, __ATOMIC_RELAXED);
    const uintptr_t at = reinterpret_cast<uintptr_t>(caller);
    if (at >= g_programStart && at < g_programEnd)
        __atomic_add_fetch(&g_fromProgram, 1, __ATOMIC_RELAXED);
}

// Adds a change to the bytes in use and lowers the block's floor with it.
void Change(long long bytes)
{
    const long long inUse = __atomic_add_fetch(&g_inUse, bytes, __ATOMIC_RELAXED);
    long long low = __atomic_load_n(&g_lowSinceBlock, __ATOMIC_RELAXED);
    while (inUse < low && !__atomic_compare_exchange_n(&g_lowSinceBlock, &low, inUse, true,
                                                       __ATOMIC_RELAXED, __ATOMIC_RELAXED)) {
    }
}

inline long long Size(void* block)
{
    return static_cast<long long>(malloc_usable_size(block));
}

inline void* Taken(void* block)
{
    Change(Size(block));
    return block;
}

void StartBlock()
{
    __atomic_store_n(&g_lowSinceBlock, __atomic_load_n(&g_inUse, __ATOMIC_RELAXED),
                     __ATOMIC_RELAXED);
}

constexpr unsigned long kParts = 8;

// The median of the blocks' floors from `from` to `to`: one block where Mesa
// let go of a buffer for a moment, or held more through a crowded view,
// does not move it.
long long MedianFloor(unsigned long from, unsigned long to)
{
    static long long scratch[kMaxBlocks];
    std::copy(g_blockFloor + from, g_blockFloor + to, scratch);
    long long* middle = scratch + (to - from) / 2;
    std::nth_element(scratch, middle, scratch + (to - from));
    return *middle;
}

void NoteFrameEnd(unsigned long measuredFrame)
{
    const unsigned long block = measuredFrame / kBlockFrames;
    if (block >= kMaxBlocks || measuredFrame % kBlockFrames != kBlockFrames - 1)
        return;
    g_blockFloor[block] = __atomic_load_n(&g_lowSinceBlock, __ATOMIC_RELAXED);
    g_blocks = block + 1;
    StartBlock();
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
    fprintf(out,
            "frames %lu\nmeasured_frames %lu\nmeasured_seconds %.6f\nallocations_all %lu\n"
            "allocations_program %lu\n",
            g_frames, measured, measured > 0 ? g_lastFrameTime - g_warmUpTime : 0.0,
            g_all - g_allAtWarmUp, g_fromProgram - g_fromProgramAtWarmUp);
    if (g_blocks >= kParts) {
        fprintf(out, "heap_floors");
        for (unsigned long part = 0; part < kParts; ++part)
            fprintf(out, " %lld",
                    MedianFloor(part * g_blocks / kParts, (part + 1) * g_blocks / kParts));
        fprintf(out, "\n");
    }
    fclose(out);
}

}  // namespace

extern "C" {

void* malloc(size_t size)
{
    Count(__builtin_return_address(0));
    return Taken(__libc_malloc(size));
}

void* calloc(size_t count, size_t size)
{
    Count(__builtin_return_address(0));
    return Taken(__libc_calloc(count, size));
}

void* realloc(void* old, size_t size)
{
    Count(__builtin_return_address(0));
    const long long oldSize = Size(old);
    void* block = __libc_realloc(old, size);
    // A failed realloc leaves the old block in place.
    if (block != nullptr || size == 0)
        Change(Size(block) - oldSize);
    return block;
}

void free(void* block)
{
    Change(-Size(block));
    __libc_free(block);
}

void* memalign(size_t alignment, size_t size)
{
    Count(__builtin_return_address(0));
    return Taken(__libc_memalign(alignment, size));
}

void* aligned_alloc(size_t alignment, size_t size)
{
    Count(__builtin_return_address(0));
    return Taken(__libc_memalign(alignment, size));
}

int posix_memalign(void** out, size_t alignment, size_t size)
{
    Count(__builtin_return_address(0));
    *out = Taken(__libc_memalign(alignment, size));
    return *out == nullptr ? 12 : 0;
}

}  // extern "C"

namespace {

// Operator new and delete take the heap directly, so that the malloc
// inside libstdc++'s own operator new is not counted a second time.
void* New(void* caller, size_t size, size_t alignment, bool nothrow)
{
    Count(caller);
    void* block = Taken(alignment > alignof(max_align_t) ? __libc_memalign(alignment, size)
                                                         : __libc_malloc(size));
    if (block == nullptr && !nothrow)
        throw std::bad_alloc();
    return block;
}

void Delete(void* block)
{
    Change(-Size(block));
    __libc_free(block);
}

constexpr size_t kPlain = alignof(max_align_t);

}  // namespace

void* operator new(size_t n)
{
    return New(__builtin_return_address(0), n, kPlain, false);
}
void* operator new[](size_t n)
{
    return New(__builtin_return_address(0), n, kPlain, false);
}
void* operator new(size_t n, const std::nothrow_t&) noexcept
{
    return New(__builtin_return_address(0), n, kPlain, true);
}
void* operator new[](size_t n, const std::nothrow_t&) noexcept
{
    return New(__builtin_return_address(0), n, kPlain, true);
}
void* operator new(size_t n, std::align_val_t a)
{
    return New(__builtin_return_address(0), n, size_t(a), false);
}
void* operator new[](size_t n, std::align_val_t a)
{
    return New(__builtin_return_address(0), n, size_t(a), false);
}
void* operator new(size_t n, std::align_val_t a, const std::nothrow_t&) noexcept
{
    return New(__builtin_return_address(0), n, size_t(a), true);
}
void* operator new[](size_t n, std::align_val_t a, const std::nothrow_t&) noexcept
{
    return New(__builtin_return_address(0), n, size_t(a), true);
}
void operator delete(void* p) noexcept
{
    Delete(p);
}
void operator delete[](void* p) noexcept
{
    Delete(p);
}
void operator delete(void* p, size_t) noexcept
{
    Delete(p);
}
void operator delete[](void* p, size_t) noexcept
{
    Delete(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept
{
    Delete(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept
{
    Delete(p);
}
void operator delete(void* p, std::align_val_t) noexcept
{
    Delete(p);
}
void operator delete[](void* p, std::align_val_t) noexcept
{
    Delete(p);
}
void operator delete(void* p, size_t, std::align_val_t) noexcept
{
    Delete(p);
}
void operator delete[](void* p, size_t, std::align_val_t) noexcept
{
    Delete(p);
}
void operator delete(void* p, std::align_val_t, const std::nothrow_t&) noexcept
{
    Delete(p);
}
void operator delete[](void* p, std::align_val_t, const std::nothrow_t&) noexcept
{
    Delete(p);
}

extern "C" {

void SDL_GL_SwapBuffers()
{
    using Swap = void (*)();
    static Swap next = reinterpret_cast<Swap>(dlsym(RTLD_NEXT, "SDL_GL_SwapBuffers"));
    next();
    g_lastFrameTime = Now();
    if (g_frames >= g_warmUpFrames)
        NoteFrameEnd(g_frames - g_warmUpFrames);
    if (++g_frames == g_warmUpFrames) {
        g_allAtWarmUp = g_all;
        g_fromProgramAtWarmUp = g_fromProgram;
        g_warmUpTime = g_lastFrameTime;
        StartBlock();
    }
}

}  // extern "C"
