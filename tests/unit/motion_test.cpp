// Motion rules: single-precision results compared bit for bit.
#include <gtest/gtest.h>

#include <limits>

#include "float_bits.hpp"
#include "motion/action.hpp"

namespace {

using bounce::BoundPair;
using bounce::Bounds3;
using bounce::Vec3;

constexpr BoundPair unit{-1.0f, 1.0f};
constexpr Bounds3 unitBounds{unit, unit, unit};
constexpr Vec3 ones{1.0f, 1.0f, 1.0f};

TEST(NextPosition3, AddsTheVelocityInSinglePrecision)
{
    EXPECT_TRUE(sameVec3(bounce::nextPosition3({0.9f, 0.0f, 0.0f}, {-1.0e-4f, 0.0f, 0.0f}),
                         {0.89989996f, 0.0f, 0.0f}));
}

TEST(NextPosition3, IsNotLimitedByTheBounds)
{
    EXPECT_TRUE(sameVec3(bounce::nextPosition3({1.0f, -1.0f, 5.0f}, {1.0e-4f, -0.5f, 1.0f}),
                         {1.0001f, -1.5f, 6.0f}));
}

// One axis of newVelocity3, exercised on x, y and z in turn.
struct AxisCase {
    const char* name;
    BoundPair bound;
    float factor;
    float position;
    float acceleration;
    float velocity;
    float expected;
};

void PrintTo(const AxisCase& c, std::ostream* out)
{
    *out << c.name;
}

class NewVelocityAxis : public ::testing::TestWithParam<AxisCase> {};

TEST_P(NewVelocityAxis, FollowsTheBounceRule)
{
    const AxisCase c = GetParam();
    // The same case on each axis, with the other two axes inside and at rest.
    for (int axis = 0; axis < 3; ++axis) {
        Bounds3 bounds = unitBounds;
        Vec3 factor = ones;
        Vec3 position{0.0f, 0.0f, 0.0f};
        Vec3 acceleration{0.0f, 0.0f, 0.0f};
        Vec3 velocity{0.0f, 0.0f, 0.0f};
        BoundPair* bound[] = {&bounds.x, &bounds.y, &bounds.z};
        float* f[] = {&factor.x, &factor.y, &factor.z};
        float* p[] = {&position.x, &position.y, &position.z};
        float* a[] = {&acceleration.x, &acceleration.y, &acceleration.z};
        float* v[] = {&velocity.x, &velocity.y, &velocity.z};
        *bound[axis] = c.bound;
        *f[axis] = c.factor;
        *p[axis] = c.position;
        *a[axis] = c.acceleration;
        *v[axis] = c.velocity;

        const Vec3 result = bounce::newVelocity3(bounds, factor, position, acceleration, velocity);
        const float component[] = {result.x, result.y, result.z};
        for (int other = 0; other < 3; ++other) {
            const float expected = other == axis ? c.expected : 0.0f;
            EXPECT_TRUE(sameFloat(component[other], expected))
                << c.name << ", case on axis " << axis << ", result axis " << other;
        }
    }
}

constexpr float inf = std::numeric_limits<float>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Cases, NewVelocityAxis,
    ::testing::Values(
        AxisCase{"inside adds acceleration", unit, 1.0f, 0.0f, 0.1f, -0.3f, -0.20000002f},
        AxisCase{"inside near upper", unit, 1.0f, 0.99999994f, -1.0e-7f, 0.5f, 0.49999991f},
        AxisCase{"on lower moving out", unit, 1.0f, -1.0f, 0.25f, -0.5f, 0.5f},
        AxisCase{"beyond lower moving out", unit, 1.0f, -1.5f, 0.25f, -0.5f, 0.5f},
        AxisCase{"beyond lower moving in", unit, 1.0f, -1.2f, -1.0e-7f, 0.25f, 0.2499999f},
        AxisCase{"on lower at rest", unit, 1.0f, -1.0f, -1.0e-7f, 0.0f, -0.0f},
        AxisCase{"on lower at negative zero", unit, 1.0f, -1.0f, -1.0e-7f, -0.0f, 0.0f},
        AxisCase{"on upper moving out", unit, 1.0f, 1.0f, -1.0e-7f, 1.0e-4f, -1.0e-4f},
        AxisCase{"on upper at rest", unit, 1.0f, 1.0f, -1.0e-7f, 0.0f, -0.0f},
        AxisCase{"beyond upper moving in", unit, 1.0f, 1.0001f, -1.0e-7f, -1.0e-4f, -1.001e-4f},
        AxisCase{"factor scales the bounce", unit, 0.5f, 1.0f, 0.0f, 0.3f, -0.15f},
        AxisCase{"factor rounds the product", unit, 0.1f, -1.0f, 0.0f, -3.0f, 0.3f},
        AxisCase{"other bounds", BoundPair{2.0f, 3.0f}, 1.0f, 2.0f, 1.0f, -1.0f, 1.0f},
        AxisCase{"infinite position bounces", unit, 1.0f, -inf, 0.0f, -2.0f, 2.0f}),
    [](const ::testing::TestParamInfo<AxisCase>& info) {
        std::string name = info.param.name;
        for (char& ch : name) {
            if (ch == ' ') {
                ch = '_';
            }
        }
        return name;
    });

TEST(NewVelocity3, FirstStepAddsTheAccelerationOnEveryAxis)
{
    EXPECT_TRUE(sameVec3(bounce::newVelocity3(unitBounds, ones, {0.9f, 0.0f, 0.0f},
                                              {0.0f, -1.0e-7f, 0.0f}, {-1.0e-4f, 0.0f, 0.0f}),
                         {-1.0e-4f, -1.0e-7f, 0.0f}));
}

TEST(NewVelocity3, TreatsEachAxisOnItsOwn)
{
    // x bounces on its upper bound, y inside gains the acceleration, z stays at rest.
    EXPECT_TRUE(sameVec3(bounce::newVelocity3(unitBounds, ones, {1.0f, 0.0f, 0.0f},
                                              {0.0f, -1.0e-7f, 0.0f}, {1.0e-4f, 0.0f, 0.0f}),
                         {-1.0e-4f, -1.0e-7f, 0.0f}));
}

}  // namespace
