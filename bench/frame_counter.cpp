// Preloaded into a program under measurement: counts its buffer swaps and, when the
// program is ended with SIGTERM, writes to $BENCH_OUT the time from $BENCH_START_NS (a
// CLOCK_REALTIME stamp taken just before the program started) to its first frame, and its
// frame rate after the first second.
#include <dlfcn.h>
#include <signal.h>
#include <time.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

std::int64_t now()
{
    timespec t{};
    clock_gettime(CLOCK_REALTIME, &t);
    return static_cast<std::int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

using Swap = void (*)();
Swap realSwap = nullptr;
std::int64_t frames = 0;
std::int64_t firstFrame = 0;
std::int64_t steadyFrom = 0;
std::int64_t steadyFrames = -1;

void report(int /*signal*/)
{
    const std::int64_t end = now();
    const char* out = std::getenv("BENCH_OUT");
    const char* start = std::getenv("BENCH_START_NS");
    if (out != nullptr && start != nullptr) {
        const double seconds = static_cast<double>(end - steadyFrom) / 1e9;
        const double rate =
            steadyFrames < 0 ? 0.0 : static_cast<double>(frames - steadyFrames) / seconds;
        const double firstMs = static_cast<double>(firstFrame - std::atoll(start)) / 1e6;
        if (FILE* file = std::fopen(out, "w")) {
            std::fprintf(file, "%lld %.1f %.2f\n", static_cast<long long>(frames), rate,
                         firstMs);
            std::fclose(file);
        }
    }
    _exit(0);
}

__attribute__((constructor)) void install()
{
    signal(SIGTERM, report);
}

}  // namespace

extern "C" void glutSwapBuffers()
{
    if (realSwap == nullptr) {
        realSwap = reinterpret_cast<Swap>(dlsym(RTLD_NEXT, "glutSwapBuffers"));
    }
    realSwap();
    const std::int64_t t = now();
    if (frames++ == 0) {
        firstFrame = t;
        steadyFrom = t + 1000000000;
    } else if (steadyFrames < 0 && t >= steadyFrom) {
        steadyFrom = t;
        steadyFrames = frames;
    }
}
