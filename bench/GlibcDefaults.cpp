#include "app/Allocator.h"

// flyer as it was before it set the allocator's thresholds: glibc's
// defaults, for the before-and-after rows of render-bench.
void SetAllocatorThresholds()
{
}
