// A preloaded counter of frames, for frame rates without a tracer:
//   LD_PRELOAD=libflyer-swap-counter.so SWAP_COUNTER_REPORT=out.txt program …
// It counts the returns of SDL_GL_SwapBuffers. The first
// SWAP_COUNTER_SKIP of them (20 unless told) are start-up and warm-up;
// counting starts at the next. At exit, or on SIGTERM or SIGINT, it writes
//   swaps N          counted swaps, the first included
//   seconds S        from the first counted swap to the last
//   faults F         minor page faults of the process between them
//   cpu_seconds C    CPU time of the process (all threads, user and
//                    system) between them: less moved by other processes
//                    on the machine than the frame rate
//   peak_kB K        the peak resident size so far
//   first_swap_seconds T   from the exec to the return of the first swap,
//                    when GAME_EXEC_TIME holds the wall-clock time
//                    of the exec (bash's $EPOCHREALTIME just before it)
// so that N - 1 frames took S seconds.
#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

namespace {

unsigned long g_skip = 20;
unsigned long g_swaps = 0;
double g_firstCounted = 0;
double g_lastCounted = 0;
long g_faultsAtFirst = 0;
long g_faultsAtLast = 0;
double g_cpuAtFirst = 0;
double g_cpuAtLast = 0;
double g_firstSwapWallClock = 0;
bool g_reported = false;

double Clock(clockid_t clock)
{
    timespec now;
    clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) + now.tv_nsec / 1e9;
}

double Seconds(const timeval& time)
{
    return static_cast<double>(time.tv_sec) + time.tv_usec / 1e6;
}

// Async-signal-safe enough for a report: the process stops right after.
void Report()
{
    const char* path = getenv("SWAP_COUNTER_REPORT");
    if (g_reported || path == nullptr)
        return;
    g_reported = true;
    rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    const unsigned long counted = g_swaps > g_skip ? g_swaps - g_skip : 0;
    char text[512];
    int length = snprintf(text, sizeof text,
                          "swaps %lu\nseconds %.6f\nfaults %ld\ncpu_seconds %.6f\npeak_kB %ld\n",
                          counted, g_lastCounted - g_firstCounted, g_faultsAtLast - g_faultsAtFirst,
                          g_cpuAtLast - g_cpuAtFirst, usage.ru_maxrss);
    const char* exec = getenv("GAME_EXEC_TIME");
    if (exec != nullptr && g_swaps > 0)
        length += snprintf(text + length, sizeof text - length, "first_swap_seconds %.6f\n",
                           g_firstSwapWallClock - strtod(exec, nullptr));
    const int out = open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out < 0)
        return;
    if (write(out, text, length) != length)
        perror("swap counter");
    close(out);
}

void ReportAndStop(int signal)
{
    Report();
    ::signal(signal, SIG_DFL);
    raise(signal);
}

__attribute__((constructor)) void Start()
{
    if (const char* skip = getenv("SWAP_COUNTER_SKIP"))
        g_skip = strtoul(skip, nullptr, 10);
    signal(SIGTERM, ReportAndStop);
    signal(SIGINT, ReportAndStop);
}

__attribute__((destructor)) void Stop()
{
    Report();
}

}  // namespace

extern "C" void SDL_GL_SwapBuffers()
{
    using Swap = void (*)();
    static Swap next = reinterpret_cast<Swap>(dlsym(RTLD_NEXT, "SDL_GL_SwapBuffers"));
    next();
    if (g_swaps == 0)
        g_firstSwapWallClock = Clock(CLOCK_REALTIME);
    ++g_swaps;
    if (g_swaps <= g_skip)
        return;
    g_lastCounted = Clock(CLOCK_MONOTONIC);
    rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    g_faultsAtLast = usage.ru_minflt;
    g_cpuAtLast = Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
    if (g_swaps == g_skip + 1) {
        g_firstCounted = g_lastCounted;
        g_faultsAtFirst = g_faultsAtLast;
        g_cpuAtFirst = g_cpuAtLast;
    }
}
