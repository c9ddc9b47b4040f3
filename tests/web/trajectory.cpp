// Prints the native trajectory that the browser test holds the web build to: the position
// before the first idle call and after each of the next ones, as the bits of x, y and z.
// Usage: bounce_trajectory [calls (20000)]
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "render/display.hpp"

namespace {

std::uint32_t bits(float value)
{
    std::uint32_t word = 0;
    std::memcpy(&word, &value, sizeof word);
    return word;
}

}  // namespace

int main(int argc, char** argv)
{
    const long calls = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 20000;
    // The program's starting values.
    const bounce::Cell<bool> quitRequested(false);
    bounce::Cell<bounce::Vec3> position({0.9f, 0.0f, 0.0f});
    bounce::Cell<bounce::Vec3> velocity({-1.0e-4f, 0.0f, 0.0f});
    const bounce::Cell<bounce::Vec3> acceleration({0.0f, -1.0e-7f, 0.0f});
    for (long call = 0; call <= calls; ++call) {
        if (call > 0) {
            bounce::idle(quitRequested, position, velocity, acceleration);
        }
        const bounce::Vec3 p = position.read();
        std::printf("%08x %08x %08x\n", static_cast<unsigned>(bits(p.x)),
                    static_cast<unsigned>(bits(p.y)), static_cast<unsigned>(bits(p.z)));
    }
    return 0;
}
