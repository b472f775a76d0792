#pragma once

// Sets glibc's allocator for the GL driver's pattern of use. Called first
// in main, before the program allocates anything.
void SetAllocatorThresholds();
