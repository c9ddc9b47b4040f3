// Motion rules of the cube: pure functions that advance position and velocity by one step.
#pragma once

#include "common/types.hpp"

namespace bounce {

// Next position: the position moved by the velocity, on every axis, with no limit.
Vec3 nextPosition3(Vec3 position, Vec3 velocity);

// Next velocity, axis by axis: reversed and scaled by bounceFactor when the position is on
// or beyond a bound while moving outward (or at rest), otherwise increased by acceleration.
Vec3 newVelocity3(Bounds3 bounds, Vec3 bounceFactor, Vec3 position, Vec3 acceleration,
                  Vec3 velocity);

}  // namespace bounce
