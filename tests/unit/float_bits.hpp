// Bit-for-bit float comparison for tests whose numbers must come out exactly.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "common/types.hpp"

inline std::uint32_t bitsOf(float value)
{
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

inline ::testing::AssertionResult sameFloat(float actual, float expected)
{
    if (bitsOf(actual) == bitsOf(expected)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << ::testing::PrintToString(actual) << " [bits " << std::hex << bitsOf(actual)
           << "] is not " << ::testing::PrintToString(expected) << " [bits " << bitsOf(expected)
           << ']';
}

inline ::testing::AssertionResult sameVec3(bounce::Vec3 actual, bounce::Vec3 expected)
{
    for (auto [a, e, axis] :
         {std::tuple{actual.x, expected.x, 'x'}, std::tuple{actual.y, expected.y, 'y'},
          std::tuple{actual.z, expected.z, 'z'}}) {
        if (auto same = sameFloat(a, e); !same) {
            return same << " on " << axis;
        }
    }
    return ::testing::AssertionSuccess();
}
