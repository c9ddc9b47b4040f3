// Preloaded into a program under measurement: counts its buffer swaps and, when the
// program is ended with SIGTERM, writes to $BENCH_OUT the number of frames, the frame rate
// after the first second (frames per second) and the time from $BENCH_START_NS (a
// CLOCK_REALTIME stamp taken just before the program started) to its first frame (ms).
#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>

namespace {

// Nanoseconds of the system clock, the clock that `date +%s%N` reads.
std::int64_t now()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

using Swap = void (*)();
Swap realSwap = nullptr;
const char* outPath = nullptr;
std::int64_t startNs = 0;
std::int64_t frames = 0;
std::int64_t firstFrame = 0;
std::int64_t steadyFrom = 0;
std::int64_t steadyFrames = -1;

// Appends value / 10^decimals in decimal; the signal handler may not call printf.
void appendFixed(char*& at, std::int64_t value, int decimals)
{
    char digits[32];
    int count = 0;
    const bool negative = value < 0;
    value = negative ? -value : value;
    do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0 || count <= decimals);
    if (negative) {
        *at++ = '-';
    }
    while (count > 0) {
        if (count == decimals) {
            *at++ = '.';
        }
        *at++ = digits[--count];
    }
}

// Only async-signal-safe calls: the program may be inside malloc when the signal comes.
void report(int /*signal*/)
{
    const std::int64_t end = now();
    if (outPath != nullptr) {
        const std::int64_t steady = steadyFrames < 0 ? 0 : frames - steadyFrames;
        const std::int64_t span = end - steadyFrom;
        char line[128];
        char* at = line;
        appendFixed(at, frames, 0);
        *at++ = ' ';
        appendFixed(at, span > 0 ? steady * 10000000000 / span : 0, 1);
        *at++ = ' ';
        appendFixed(at, (firstFrame - startNs) / 10000, 2);
        *at++ = '\n';
        const int fd = open(outPath, O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd >= 0) {
            [[maybe_unused]] const ssize_t written = write(fd, line, at - line);
            close(fd);
        }
    }
    _exit(0);
}

__attribute__((constructor)) void install()
{
    outPath = std::getenv("BENCH_OUT");
    if (const char* start = std::getenv("BENCH_START_NS")) {
        startNs = std::atoll(start);
    }
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
