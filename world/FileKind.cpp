#include "world/FileKind.h"

#include <sys/stat.h>

const char* NonRegularFileKind(mode_t mode)
{
    if (S_ISREG(mode))
        return nullptr;
    if (S_ISDIR(mode))
        return "a folder";
    if (S_ISFIFO(mode))
        return "a FIFO or pipe";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "a device";
    return S_ISSOCK(mode) ? "a socket" : "a special file";
}
