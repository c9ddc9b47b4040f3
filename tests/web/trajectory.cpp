// Writes the native trajectory that the browser test holds the web build to: the position
// before the first idle call and after each of the next ones, three floats each, in the
// machine's byte order. Usage: bounce_trajectory [calls (20000)]
#include <cstdio>
#include <cstdlib>

#include "render/display.hpp"

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
        const float xyz[] = {p.x, p.y, p.z};
        std::fwrite(xyz, sizeof xyz, 1, stdout);
    }
    return 0;
}
