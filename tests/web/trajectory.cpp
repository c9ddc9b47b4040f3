// Writes the native trajectory that the browser test holds the web build to: the position
// before the first idle call and after each of the next ones, three floats each, in the
// machine's byte order: 20000 calls, past the first bounce.
#include <cstdio>

#include "app/start.hpp"
#include "render/display.hpp"

int main()
{
    constexpr int calls = 20000;
    const bounce::Cell<bool> quitRequested(false);
    bounce::Cell<bounce::Vec3> position(bounce::startPosition);
    bounce::Cell<bounce::Vec3> velocity(bounce::startVelocity);
    const bounce::Cell<bounce::Vec3> acceleration(bounce::startAcceleration);
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
