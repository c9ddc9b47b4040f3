// Start-up and the running program, driven through the callbacks that main registers, the
// way the toolkit delivers events and idle calls.
#include <gtest/gtest.h>

#include <GL/freeglut.h>

#include <functional>
#include <string>

#include "gl_double.hpp"

int bounceMain(int argc, char** argv);

namespace {

using gldouble::call;
using gldouble::Call;
using gldouble::f;
using gldouble::i;

// Runs the program's main with the given script as its main loop; returns the exit status.
int runProgram(const std::function<void()>& mainLoop)
{
    gldouble::reset();
    gldouble::toolkit().mainLoop = mainLoop;
    std::string name = "bounce";
    char* argv[] = {name.data(), nullptr};
    return bounceMain(1, argv);
}

std::vector<Call> translations()
{
    return gldouble::callsNamed({"glTranslatef"});
}

TEST(StartUp, OpensTheWindowRegistersTheCallbacksInOrderThenRunsTheLoop)
{
    std::string words[] = {"bounce", "-geometry", "300x200+10+10", "--unknown"};
    char* argv[] = {words[0].data(), words[1].data(), words[2].data(), words[3].data(), nullptr};
    gldouble::reset();

    EXPECT_EQ(bounceMain(4, argv), 0);
    EXPECT_EQ(gldouble::calls(),
              (std::vector<Call>{
                  call("glutInit", {i(4), "bounce", "-geometry", "300x200+10+10", "--unknown"}),
                  call("glutInitDisplayMode", {i(GLUT_DOUBLE)}),
                  call("glutCreateWindow", {"Hello World"}),
                  call("glutFullScreen"),
                  call("glutKeyboardFunc"),
                  call("glutKeyboardUpFunc"),
                  call("glutSpecialFunc"),
                  call("glutSpecialUpFunc"),
                  call("glutMouseFunc"),
                  call("glutIdleFunc"),
                  call("glutDisplayFunc"),
                  call("glutMainLoop"),
              }));
    EXPECT_EQ(gldouble::toolkit().initArgv, argv);
    EXPECT_EQ(GLUT_DOUBLE, 2);
}

TEST(Running, FirstFrameShowsTheStartPositionAndEachIdleCallOneStep)
{
    runProgram([] {
        gldouble::toolkit().display();
        gldouble::idleTurn();
        gldouble::idleTurn();
    });
    EXPECT_EQ(translations(),
              (std::vector<Call>{call("glTranslatef", {f(0.9f), f(0.0f), f(0.0f)}),
                                 call("glTranslatef", {f(0.89989996f), f(0.0f), f(0.0f)}),
                                 call("glTranslatef", {f(0.89979994f), f(-1.0e-7f), f(0.0f)})}));
    EXPECT_FALSE(gldouble::toolkit().leaveRequested);
}

// Each kind of press, delivered through the adapter the toolkit calls for it.
struct Press {
    const char* name;
    std::function<void()> deliver;
};

void PrintTo(const Press& press, std::ostream* out)
{
    *out << press.name;
}

class EveryPress : public ::testing::TestWithParam<Press> {};

TEST_P(EveryPress, EndsTheProgramAtTheNextIdleCallWithoutAStep)
{
    int status = runProgram([] {
        gldouble::idleTurn();
        GetParam().deliver();
        gldouble::toolkit().display();  // an uncovered window shows the last step
        gldouble::idleTurn();
    });
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(gldouble::toolkit().leaveRequested);
    EXPECT_EQ(gldouble::calls().back(), call("glutLeaveMainLoop"));
    EXPECT_EQ(gldouble::callsNamed({"glutPostRedisplay"}).size(), 1U);
    EXPECT_EQ(translations().back(), call("glTranslatef", {f(0.89989996f), f(0.0f), f(0.0f)}));
    EXPECT_EQ(gldouble::glState().errors, 0) << "modifiers read outside the event";
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, EveryPress,
    ::testing::Values(
        Press{"character", [] { gldouble::pressKey('x'); }},
        Press{"characterWithModifiers",
              [] {
                  gldouble::pressKey('x', GLUT_ACTIVE_SHIFT | GLUT_ACTIVE_CTRL | GLUT_ACTIVE_ALT);
              }},
        Press{"special", [] { gldouble::pressSpecial(GLUT_KEY_F1); }},
        Press{"arrow", [] { gldouble::pressSpecial(GLUT_KEY_UP, GLUT_ACTIVE_ALT); }},
        Press{"leftButton", [] { gldouble::mouseButton(GLUT_LEFT_BUTTON, GLUT_DOWN); }},
        Press{"middleButton", [] { gldouble::mouseButton(GLUT_MIDDLE_BUTTON, GLUT_DOWN); }},
        Press{"rightButton", [] { gldouble::mouseButton(GLUT_RIGHT_BUTTON, GLUT_DOWN); }},
        Press{"wheel", [] { gldouble::mouseButton(4, GLUT_DOWN); }},
        Press{"pressThenRelease",
              [] {
                  gldouble::pressKey('x');
                  gldouble::releaseKey('x');
                  gldouble::pressKey('y');
              }}),
    [](const ::testing::TestParamInfo<Press>& info) { return std::string(info.param.name); });

TEST(Running, ReleasesAloneKeepTheAnimationGoing)
{
    runProgram([] {
        gldouble::releaseKey('x');
        gldouble::releaseSpecial(GLUT_KEY_F1);
        gldouble::mouseButton(GLUT_LEFT_BUTTON, GLUT_UP);
        gldouble::mouseButton(3, GLUT_UP, GLUT_ACTIVE_SHIFT);
        gldouble::idleTurn();
    });
    EXPECT_FALSE(gldouble::toolkit().leaveRequested);
    EXPECT_EQ(translations(),
              std::vector<Call>{call("glTranslatef", {f(0.89989996f), f(0.0f), f(0.0f)})});
}

TEST(Running, EveryInputAdapterReadsTheModifiersFirstAndOnce)
{
    runProgram([] {
        const std::function<void()> deliveries[] = {
            [] { gldouble::pressKey('a'); },
            [] { gldouble::releaseKey('a'); },
            [] { gldouble::pressSpecial(GLUT_KEY_HOME); },
            [] { gldouble::releaseSpecial(GLUT_KEY_HOME); },
            [] { gldouble::mouseButton(GLUT_RIGHT_BUTTON, GLUT_DOWN); },
            [] { gldouble::mouseButton(GLUT_RIGHT_BUTTON, GLUT_UP); },
        };
        for (const auto& deliver : deliveries) {
            gldouble::clearCalls();
            deliver();
            EXPECT_EQ(gldouble::calls(), std::vector<Call>{call("glutGetModifiers")});
        }
    });
    EXPECT_EQ(gldouble::glState().errors, 0);
}

}  // namespace
