#include "app/Allocator.h"

#include <malloc.h>

void SetAllocatorThresholds()
{
    // The software GL driver allocates and frees megabytes in every frame:
    // a 520 KiB vertex buffer that glibc maps and unmaps each time, and
    // blocks at the top of the heap that glibc hands back to the kernel as
    // soon as more than 128 KiB lie free there. Every frame then faults
    // those pages in again: some 2,600 page faults a frame at 1024 on the
    // demo level, most of the frame's time. Blocks up to 1 MiB now come
    // from the heap, and the heap keeps up to 64 MiB free at its top: the
    // largest swing measured is 31 MiB, at 1280 with a tile in every cell
    // (bench/RESULTS.md, bench/malloc-sweep).
    mallopt(M_MMAP_THRESHOLD, 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
}
