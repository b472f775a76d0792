#include "app/Allocator.h"

#include <malloc.h>

void SetAllocatorThresholds()
{
    // The software GL driver allocates and frees megabytes in every frame
    // (vertex buffers, the rasteriser's scene bins). With glibc's defaults
    // the larger blocks are mapped and unmapped each time, and the freed
    // top of each heap goes back to the kernel at the end of the frame, so
    // the next frame faults every page in again: thousands of page faults
    // a frame. Blocks below MMAP_THRESHOLD come from the heap, and a heap
    // keeps up to TRIM_THRESHOLD of free memory at its top; these are the
    // smallest values with which a frame faults no page (bench/RESULTS.md).
    mallopt(M_MMAP_THRESHOLD, 4 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 256 * 1024 * 1024);
}
