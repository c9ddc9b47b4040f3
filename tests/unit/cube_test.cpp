// Cube geometry: the 24 vertices of the six faces, sent in order inside one GL_QUADS.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <limits>

#include "gl_double.hpp"
#include "render/cube.hpp"

namespace {

using gldouble::call;
using gldouble::Call;
using gldouble::f;
using gldouble::i;

// Corner signs of each face, in the order the vertices are sent: +1 stands for w, -1 for -w.
constexpr int faceCorners[6][4][3] = {
    {{+1, +1, +1}, {+1, +1, -1}, {+1, -1, -1}, {+1, -1, +1}},  // x = +w
    {{+1, +1, +1}, {+1, +1, -1}, {-1, +1, -1}, {-1, +1, +1}},  // y = +w
    {{+1, +1, +1}, {+1, -1, +1}, {-1, -1, +1}, {-1, +1, +1}},  // z = +w
    {{-1, +1, +1}, {-1, +1, -1}, {-1, -1, -1}, {-1, -1, +1}},  // x = -w
    {{+1, -1, +1}, {+1, -1, -1}, {-1, -1, -1}, {-1, -1, +1}},  // y = -w
    {{+1, +1, -1}, {+1, -1, -1}, {-1, -1, -1}, {-1, +1, -1}},  // z = -w
};

std::vector<Call> expectedCube(float w)
{
    std::vector<Call> expected{call("glBegin", {i(GL_QUADS)})};
    for (const auto& face : faceCorners) {
        for (const auto& corner : face) {
            auto component = [w](int sign) { return f(sign > 0 ? w : -w); };
            expected.push_back(call(
                "glVertex3f", {component(corner[0]), component(corner[1]), component(corner[2])}));
        }
    }
    expected.push_back(call("glEnd"));
    return expected;
}

class CubeHalfEdge : public ::testing::TestWithParam<float> {
protected:
    void SetUp() override { gldouble::reset(); }
};

TEST_P(CubeHalfEdge, SendsOneQuadPrimitiveOfTheSixFacesInOrder)
{
    bounce::cube(GetParam());
    EXPECT_EQ(gldouble::calls(), expectedCube(GetParam()));
    EXPECT_EQ(gldouble::glState().errors, 0);
}

// 0.1 is what each frame draws; zero gives -0.0 for the negated corners; a negative
// half-edge turns every face inside out; nothing rejects a non-finite one.
INSTANTIATE_TEST_SUITE_P(Sizes, CubeHalfEdge,
                         ::testing::Values(0.1f, 0.0f, -0.25f,
                                           std::numeric_limits<float>::infinity()));

TEST(Cube, NegatedCornersAreTheExactSignFlip)
{
    gldouble::reset();
    bounce::cube(0.1f);
    int negated = 0;
    for (const Call& c : gldouble::callsNamed({"glVertex3f"})) {
        for (const auto& arg : c.args) {
            negated += arg == f(-0.1f) ? 1 : 0;
            EXPECT_TRUE(arg == f(0.1f) || arg == f(-0.1f));
        }
    }
    EXPECT_EQ(negated, 36);
}

TEST(Vertify3, SendsEachTripleInOrderAndNothingElse)
{
    gldouble::reset();
    bounce::vertify3({});
    EXPECT_TRUE(gldouble::calls().empty());

    bounce::vertify3({{1.0f, 2.0f, 3.0f}, {-0.0f, 0.5f, -7.25f}, {4.0f, 5.0f, 6.0f}});
    EXPECT_EQ(gldouble::calls(),
              (std::vector<Call>{call("glVertex3f", {f(1.0f), f(2.0f), f(3.0f)}),
                                 call("glVertex3f", {f(-0.0f), f(0.5f), f(-7.25f)}),
                                 call("glVertex3f", {f(4.0f), f(5.0f), f(6.0f)})}));
}

}  // namespace
