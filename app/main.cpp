#include "app/FrameLoop.h"
#include "app/StartUp.h"

int main(int argc, char** argv)
{
    StartUp(argc, argv);
    return RunFrameLoop();
}
