// Display and idle callbacks: the exact calls of a frame, and the motion step per idle call.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include "float_bits.hpp"
#include "gl_double.hpp"
#include "render/display.hpp"

namespace {

using bounce::Cell;
using bounce::Vec3;
using gldouble::call;
using gldouble::Call;
using gldouble::f;
using gldouble::i;

std::vector<Call> expectedFrame(Vec3 at)
{
    std::vector<Call> frame{call("glClear", {i(0x4000)}),
                            call("glLoadIdentity"),
                            call("glPushMatrix"),
                            call("glGetIntegerv", {i(GL_MATRIX_MODE)}),
                            call("glColor3f", {f(1.0f), f(1.0f), f(1.0f)}),
                            call("glTranslatef", {f(at.x), f(at.y), f(at.z)}),
                            call("glBegin", {i(GL_QUADS)})};
    frame.insert(frame.end(), 24, call("glVertex3f"));
    frame.push_back(call("glEnd"));
    frame.push_back(call("glMatrixMode", {i(GL_MODELVIEW)}));
    frame.push_back(call("glPopMatrix"));
    frame.push_back(call("glutSwapBuffers"));
    return frame;
}

// The frame with vertex arguments left out: the cube's own tests pin those down.
std::vector<Call> recordedFrame()
{
    std::vector<Call> frame = gldouble::calls();
    for (Call& c : frame) {
        if (c.name == "glVertex3f") {
            c.args.clear();
        }
    }
    return frame;
}

class Display : public ::testing::Test {
protected:
    void SetUp() override { gldouble::reset(); }
};

TEST_F(Display, DrawsTheWhiteCubeAtThePositionAndSwaps)
{
    // Before any step, and just past the right bound, where clipping does the rest.
    for (Vec3 at : {Vec3{0.9f, 0.0f, 0.0f}, Vec3{1.0001f, -0.0f, 0.0f}}) {
        gldouble::clearCalls();
        bounce::display(Cell<Vec3>(at));
        EXPECT_EQ(recordedFrame(), expectedFrame(at));
    }
}

TEST_F(Display, FramesDoNotBuildUpAndLeaveTheMatrixStateAsFound)
{
    const Cell<Vec3> position({0.5f, -0.25f, 0.0f});
    bounce::display(position);
    const std::vector<Call> first = gldouble::calls();
    gldouble::clearCalls();
    bounce::display(position);
    EXPECT_EQ(gldouble::calls(), first);
    EXPECT_EQ(gldouble::glState().pushDepth, 0);
    EXPECT_EQ(gldouble::glState().matrixMode, GL_MODELVIEW);
    EXPECT_EQ(gldouble::glState().errors, 0);
}

TEST_F(Display, RestoresWhateverMatrixModeWasCurrent)
{
    gldouble::glState().matrixMode = GL_PROJECTION;
    bounce::display(Cell<Vec3>({0.0f, 0.0f, 0.0f}));
    EXPECT_EQ(gldouble::callsNamed({"glMatrixMode"}),
              std::vector<Call>{call("glMatrixMode", {i(GL_PROJECTION)})});
}

// The four cells of a running program, with the values they start with.
struct Cells {
    Cell<bool> quitRequested{false};
    Cell<Vec3> position{{0.9f, 0.0f, 0.0f}};
    Cell<Vec3> velocity{{-1.0e-4f, 0.0f, 0.0f}};
    Cell<Vec3> acceleration{{0.0f, -1.0e-7f, 0.0f}};

    void idle() { bounce::idle(quitRequested, position, velocity, acceleration); }
};

class Idle : public ::testing::Test {
protected:
    void SetUp() override { gldouble::reset(); }
    Cells cells;
};

TEST_F(Idle, FirstStepsMoveByTheOldVelocityAndRequestOneRedrawEach)
{
    cells.idle();
    EXPECT_TRUE(sameVec3(cells.velocity.read(), {-1.0e-4f, -1.0e-7f, 0.0f}));
    EXPECT_TRUE(sameVec3(cells.position.read(), {0.89989996f, 0.0f, 0.0f}));
    EXPECT_EQ(gldouble::calls(), std::vector<Call>{call("glutPostRedisplay")});

    cells.idle();
    EXPECT_TRUE(sameVec3(cells.velocity.read(), {-1.0e-4f, -2.0e-7f, 0.0f}));
    EXPECT_TRUE(sameVec3(cells.position.read(), {0.89979994f, -1.0e-7f, 0.0f}));
    EXPECT_TRUE(sameVec3(cells.acceleration.read(), {0.0f, -1.0e-7f, 0.0f}));
}

TEST_F(Idle, OvershootsABoundOnceAndDoesNotReverseTwice)
{
    cells.position.write({1.0f, 0.0f, 0.0f});
    cells.velocity.write({1.0e-4f, 0.0f, 0.0f});
    cells.idle();
    EXPECT_TRUE(sameVec3(cells.velocity.read(), {-1.0e-4f, -1.0e-7f, 0.0f}));
    EXPECT_TRUE(sameVec3(cells.position.read(), {1.0001f, 0.0f, 0.0f}));
    cells.idle();
    EXPECT_TRUE(sameVec3(cells.velocity.read(), {-1.0e-4f, -2.0e-7f, 0.0f}));
    EXPECT_TRUE(sameVec3(cells.position.read(), {1.0f, -1.0e-7f, 0.0f}));
}

TEST_F(Idle, LeavesTheMainLoopWithoutAStepOnceQuitIsRequested)
{
    cells.idle();
    const Vec3 position = cells.position.read();
    const Vec3 velocity = cells.velocity.read();
    cells.quitRequested.write(true);
    gldouble::clearCalls();
    for (int call = 0; call < 3; ++call) {
        cells.idle();
    }
    EXPECT_EQ(gldouble::calls(), std::vector<Call>(3, call("glutLeaveMainLoop")));
    EXPECT_TRUE(sameVec3(cells.position.read(), position));
    EXPECT_TRUE(sameVec3(cells.velocity.read(), velocity));
}

TEST_F(Idle, LongRunBouncesExactlyWhereTheArithmeticSays)
{
    int done = 0;
    auto runTo = [this, &done](int call) {
        for (; done < call; ++done) {
            cells.idle();
        }
        gldouble::clearCalls();
    };
    // Nothing reverses before call 4474.
    for (int call = 1; call < 4474; ++call) {
        const Vec3 before = cells.velocity.read();
        runTo(call);
        ASSERT_LE(cells.velocity.read().y, before.y) << "call " << call;
        ASSERT_LT(cells.velocity.read().x, 0.0f) << "call " << call;
    }
    EXPECT_TRUE(sameVec3(cells.position.read(), {0.45263988f, -1.0001696f, 0.0f}));
    EXPECT_TRUE(sameVec3(cells.velocity.read(), {-1.0e-4f, -0.00044730326f, 0.0f}));

    runTo(4474);
    EXPECT_TRUE(sameVec3(cells.velocity.read(), {-1.0e-4f, 0.00044730326f, 0.0f}));
    EXPECT_TRUE(sameVec3(cells.position.read(), {0.4525399f, -1.0006169f, 0.0f}));
    runTo(4475);
    EXPECT_TRUE(sameFloat(cells.position.read().y, -1.0001696f));
    EXPECT_TRUE(sameFloat(cells.velocity.read().y, 0.00044720326f));
    runTo(4476);
    EXPECT_TRUE(sameFloat(cells.position.read().y, -0.9997224f));

    // The x velocity first turns at call 19001, on the left edge.
    runTo(19000);
    EXPECT_TRUE(sameFloat(cells.velocity.read().x, -1.0e-4f));
    EXPECT_LE(cells.position.read().x, -1.0f);
    runTo(19001);
    EXPECT_TRUE(sameFloat(cells.velocity.read().x, 1.0e-4f));
}

}  // namespace
