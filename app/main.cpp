#include "app/Allocator.h"
#include "app/FrameLoop.h"
#include "app/StartUp.h"

int main(int argc, char** argv)
{
    SetAllocatorThresholds();
    StartUp(argc, argv);
    return RunFrameLoop();
}
