// The motion's starting values, which main puts in the state cells; the benchmarks and the
// native trajectory start from them too.
#pragma once

#include "common/types.hpp"

namespace bounce {

constexpr Vec3 startAcceleration{0.0f, -1.0e-7f, 0.0f};
constexpr Vec3 startVelocity{-1.0e-4f, 0.0f, 0.0f};
constexpr Vec3 startPosition{0.9f, 0.0f, 0.0f};

}  // namespace bounce
