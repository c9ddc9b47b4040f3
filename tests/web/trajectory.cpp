// Writes the native trajectory that the browser test holds the web build to: the position
// before the first idle call and after each of the next ones, three floats each, in the
// machine's byte order: 20000 calls, past the first bounce.
#include <cstdio>

#include "render/display.hpp"

int main()
{
    constexpr int calls = 20000;
    // The program's starting values.
    const bounce::Cell<bool> quitRequested(false);
    bounce::Cell<bounce::Vec3> position({0.9f, 0.0f, 0.0f});
    bounce::Cell<bounce::Vec3> velocity({-1.0e-4f, 0.0f, 0.0f});
    const bounce::Cell<bounce::Vec3> acceleration({0.0f, -1.0e-7f, 0.0f});
    for (int call = 0; call <= calls; ++call) {
        if (call > 0) {
            bounce::idle(quitRequested, position, velocity, acceleration);
        }
        const bounce::Vec3 p = position.read();
        const float xyz[] = {p.x, p.y, p.z};
        std::fwrite(xyz, sizeof xyz, 1, stdout);
    }
    return 0;
}
