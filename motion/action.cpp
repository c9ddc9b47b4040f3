// Motion rules of the cube. Every operation is single precision; the build keeps
// floating-point contraction off so that each sum and product is rounded as it is formed.
#include "motion/action.hpp"

namespace bounce {
namespace {

// One axis. Both comparisons of each test are inclusive, so a position exactly on a bound
// counts as on it and a zero velocity counts as moving outward.
float newVelocity(BoundPair bound, float factor, float p, float a, float v)
{
    const bool belowLower = p <= bound.lower && v <= 0.0f;
    const bool aboveUpper = !belowLower && p >= bound.upper && v >= 0.0f;
    if (belowLower || aboveUpper) {
        return -(v * factor);
    }
    return v + a;
}

}  // namespace

Vec3 nextPosition3(Vec3 position, Vec3 velocity)
{
    return {position.x + velocity.x, position.y + velocity.y, position.z + velocity.z};
}

Vec3 newVelocity3(Bounds3 bounds, Vec3 bounceFactor, Vec3 position, Vec3 acceleration,
                  Vec3 velocity)
{
    return {newVelocity(bounds.x, bounceFactor.x, position.x, acceleration.x, velocity.x),
            newVelocity(bounds.y, bounceFactor.y, position.y, acceleration.y, velocity.y),
            newVelocity(bounds.z, bounceFactor.z, position.z, acceleration.z, velocity.z)};
}

}  // namespace bounce
