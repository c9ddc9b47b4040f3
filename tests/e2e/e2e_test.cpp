// End-to-end: the real bounce in a real window on Xvfb (bare and under openbox) or on weston's
// Xwayland, seen through screenshots and driven through XTest.
#include <gtest/gtest.h>

#include <X11/XF86keysym.h>
#include <X11/Xatom.h>
#include <X11/keysym.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <thread>

#include "harness.hpp"

namespace {

using namespace e2e;

constexpr int screenWidth = 1280;
constexpr int screenHeight = 1024;
// Where the program reaches X through a layer of its own (Wine), what happens without an X
// server is that layer's doing, not the program's.
constexpr const char* xDriverOnly = "tests the X driver of the layer the program runs on";

// A display with bounce running on it and showing its first frame, full screen.
class Running : public ::testing::Test {
protected:
    void start(bool withWindowManager, std::vector<std::string> arguments = {})
    {
        const bool managed = withWindowManager || windowManagerRequired() || onWeston();
        if (managed) {
            wm = startWindowManager(display);
        }
        bounce = std::make_unique<Bounce>(display, std::move(arguments));
        bounce->waitForSquare(x());
        // The window may show its first frames before it fills the screen, above all under a
        // window manager or on a busy machine.
        geometryOnceFullScreen();
        waitUntil(bound::start, "bounce drew no frame at full screen", [this] {
            const Picture picture = capture(x());
            return std::abs(picture.width() - screenWidth / 10) <= 1 &&
                   std::abs(picture.height() - screenHeight / 10) <= 1;
        });
        if (managed) {
            // Input goes to the window once the window manager has given it the focus, or, where
            // the manager leaves the focus to the pointer (weston), to the window under it.
            waitUntil(bound::start, "the window got no keyboard focus", [this] {
                ::Window focus = 0;
                int revert = 0;
                XGetInputFocus(x(), &focus, &revert);
                return focus == window() || focus == PointerRoot;
            });
        }
        movePointerToCentre(x());
    }
    Display* x() { return display.connection(); }
    ::Window window()
    {
        const std::vector<Window> windows = windowsNamed(x(), "Hello World");
        return windows.empty() ? 0 : windows.front();
    }

    // The window's geometry once it spans the screen (full screen may take a moment after
    // the first frame, above all under a window manager).
    Rect geometryOnceFullScreen()
    {
        Rect geometry{};
        waitUntil(bound::start, "the window came to span no screen", [&] {
            const ::Window shown = window();
            geometry = shown != 0 ? rootGeometry(x(), shown) : Rect{};
            return geometry.width == screenWidth && geometry.x <= 1;
        });
        return geometry;
    }

    // Waits until the square has moved a few times: the program is still animating.
    void waitForFramesAfter(const std::string& what)
    {
        Picture last = capture(x());
        int moves = 0;
        waitUntil(bound::start, "bounce drew no new frames " + what, [&] {
            const Picture now = capture(x());
            moves += now.left != last.left || now.top != last.top ? 1 : 0;
            last = now;
            return moves >= 3;
        });
    }

    VirtualDisplay display;
    std::unique_ptr<Process> wm;
    std::unique_ptr<Bounce> bounce;
};

// The short run, for where the program is slow to run or to set up (under the sanitizers, in
// a clean system): a start, the animation up to a bounce, a key press.
using Essentials = Running;

class TheWindow : public Running, public ::testing::WithParamInterface<bool> {};

TEST_P(TheWindow, IsOneTopLevelHelloWorldWindowCoveringTheScreen)
{
    if (!GetParam() && windowManagerRequired()) {
        GTEST_SKIP() << "the program under test has no bare case";
    }
    start(GetParam());
    const Rect geometry = geometryOnceFullScreen();
    ASSERT_EQ(windowsNamed(x(), "Hello World").size(), 1U);
    EXPECT_EQ(geometry.width, screenWidth);
    EXPECT_EQ(geometry.height, screenHeight);
    EXPECT_EQ(bounce->output(), "");
    if (GetParam() || onWeston()) {
        waitUntil(bound::start, "the window manager made the window no full-screen one", [this] {
            const std::vector<unsigned long> state =
                listProperty(x(), window(), "_NET_WM_STATE", XA_ATOM);
            return std::count(state.begin(), state.end(),
                              XInternAtom(x(), "_NET_WM_STATE_FULLSCREEN", False)) == 1;
        });
    }
    // Without a window manager the toolkit places the window itself, one pixel off the corner;
    // through the window manager it lands exactly on it. On Xwayland the compositor places it,
    // and X's own coordinates do not say where (weston 14 leaves them at (0, 32) or (-33, -33)):
    // there the full-size frames in the window's whole picture show that it covers the screen.
    if (!onWeston()) {
        const int slack = GetParam() ? 0 : 1;
        EXPECT_LE(std::abs(geometry.x), slack);
        EXPECT_LE(std::abs(geometry.y), slack);
    }
}

INSTANTIATE_TEST_SUITE_P(BareAndManaged, TheWindow, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "openbox" : "bare");
                         });

TEST_F(Essentials, ShowsOneWhiteSquareOnBlackMovingLeftDownAndBackUpFromTheBottom)
{
    start(false);
    const Picture first = capture(x());
    EXPECT_EQ(first.other, 0);
    EXPECT_TRUE(first.oneFilledSquare());
    EXPECT_NEAR(first.width(), screenWidth / 10, 1);
    EXPECT_NEAR(first.height(), screenHeight / 10, 1);
    EXPECT_EQ(first.black + first.white, static_cast<long>(screenWidth) * screenHeight);

    // It falls to the bottom edge, where the screen cuts it, and comes back up from there. The
    // bounce is thousands of steps away, which an emulator on a busy machine takes long to
    // make: the wait goes on for as long as the square keeps moving.
    Picture later = first;
    bool square = true;
    bool fell = false;
    bool bounced = false;
    int lowest = first.top;
    while (square && !bounced) {
        const Picture before = later;
        waitUntil(bound::start, "the square stood still before it came back from the bottom", [&] {
            later = capture(x());
            square = square && later.oneFilledSquare() && later.other == 0;
            fell = fell || later.bottom == screenHeight;
            lowest = std::max(lowest, later.top);
            bounced = fell && later.top < lowest - 2;
            return !square || bounced || later.left != before.left || later.top != before.top;
        });
    }
    EXPECT_TRUE(square) << "a frame showed other than one white square on black";
    EXPECT_LT(later.centreX(), first.centreX());
}

// Each kind of press ends the program, with status 0.
struct Press {
    const char* name;
    std::function<void(Display*)> send;
};

void PrintTo(const Press& press, std::ostream* out)
{
    *out << press.name;
}

class EndsOn : public Running, public ::testing::WithParamInterface<Press> {};

TEST_P(EndsOn, FirstPress)
{
    start(false);
    GetParam().send(x());
    EXPECT_EQ(bounce->process().waitExit(bound::end), std::optional<int>(0));
    EXPECT_EQ(bounce->output(), "");
}

Press key(const char* name, unsigned long keysym, std::vector<unsigned long> held = {})
{
    return {name, [=](Display* d) { pressKey(d, keysym, held); }};
}

Press button(const char* name, unsigned int number)
{
    return {name, [=](Display* d) { clickButton(d, number); }};
}

std::string pressName(const ::testing::TestParamInfo<Press>& info)
{
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(Essentials, EndsOn, ::testing::Values(key("character", XK_q)), pressName);
INSTANTIATE_TEST_SUITE_P(Kinds, EndsOn,
                         ::testing::Values(key("f1", XK_F1), key("arrow", XK_Left),
                                           key("shift", XK_a, {XK_Shift_L}),
                                           key("ctrl", XK_a, {XK_Control_L}),
                                           key("alt", XK_a, {XK_Alt_L}), button("leftButton", 1),
                                           button("middleButton", 2), button("rightButton", 3),
                                           button("wheelUp", 4), button("wheelDown", 5),
                                           Press{"secondPress",
                                                 [](Display* d) {
                                                     pressKey(d, XK_a);
                                                     pressKey(d, XK_b);
                                                     clickButton(d, 1);
                                                 }}),
                         pressName);

TEST_F(Running, ReleasesAloneLeaveItRunning)
{
    // Held down before the program starts, so that only the releases reach it. A key held
    // longer than the server's repeat delay repeats, and a repeat is a press, so the server
    // repeats none here: a start under Wine takes longer than the delay.
    VirtualDisplay& d = display;
    XAutoRepeatOff(d.connection());
    movePointerToCentre(d.connection());
    keyDown(d.connection(), XK_a, true);
    keyDown(d.connection(), XK_F1, true);
    buttonDown(d.connection(), 1, true);
    buttonDown(d.connection(), 3, true);
    start(false);
    keyDown(x(), XK_a, false);
    keyDown(x(), XK_F1, false);
    buttonDown(x(), 1, false);
    buttonDown(x(), 3, false);
    XSync(x(), False);
    waitForFramesAfter("after the releases");
    EXPECT_TRUE(bounce->process().running());

    pressKey(x(), XK_space);
    EXPECT_EQ(bounce->process().waitExit(bound::end), std::optional<int>(0));
}

TEST_F(Running, TakesToolkitOptionsAndIgnoresUnknownArgumentsSilently)
{
    start(false, {"-geometry", "300x200+10+10", "--no-such-option", "stray"});
    const Rect geometry = geometryOnceFullScreen();
    EXPECT_EQ(geometry.width, screenWidth);
    EXPECT_EQ(geometry.height, screenHeight);
    pressKey(x(), XK_Escape);
    EXPECT_EQ(bounce->process().waitExit(bound::end), std::optional<int>(0));
    EXPECT_EQ(bounce->output(), "");
}

TEST_F(Running, EndsWithStatusZeroWhenTheWindowManagerClosesTheWindow)
{
    if (onWeston()) {
        GTEST_SKIP() << "weston's X window manager takes no request to close a window";
    }
    start(true);
    requestClose(x(), window());
    EXPECT_EQ(bounce->process().waitExit(bound::end), std::optional<int>(0));
}

TEST_F(Running, EndsWhenTheXServerGoesAway)
{
    if (windowManagerRequired()) {
        GTEST_SKIP() << xDriverOnly;
    }
    start(false);
    display.closeConnection();
    display.server().kill();
    const std::optional<int> status = bounce->process().waitExit(bound::end);
    ASSERT_TRUE(status.has_value()) << "still running without its X server";
    EXPECT_NE(*status, 0);
}

TEST_F(Running, KeepsRunningUnderLoadAndStillEndsOnThePress)
{
    start(false);
    std::vector<std::unique_ptr<Process>> load;
    for (unsigned core = 0; core < std::thread::hardware_concurrency(); ++core) {
        load.push_back(
            std::make_unique<Process>(std::vector<std::string>{"sh", "-c", "while :; do :; done"},
                                      std::vector<std::string>{}));
    }
    waitForFramesAfter("with every core busy");
    EXPECT_TRUE(bounce->process().running());
    pressKey(x(), XK_Return);
    EXPECT_EQ(bounce->process().waitExit(bound::end), std::optional<int>(0));
}

TEST(NoDisplay, FailsAtOnceWithTheToolkitsMessage)
{
    if (windowManagerRequired()) {
        GTEST_SKIP() << xDriverOnly;
    }
    VirtualDisplay unused;  // only for the output file's sake; the program is sent elsewhere
    for (const std::string where : {"-", ":4095"}) {
        Bounce bounce(unused, {}, where);
        const std::optional<int> status = bounce.process().waitExit(bound::end);
        ASSERT_TRUE(status.has_value()) << where;
        EXPECT_NE(*status, 0) << where;
        EXPECT_NE(bounce.output().find("freeglut"), std::string::npos) << bounce.output();
    }
}

// Every process the suite started, and every process those started in turn, has ended: the
// suite adopts the orphans of its processes, so none can slip away by losing its parent.
class NoLeftovers : public ::testing::Environment {
public:
    void SetUp() override { prctl(PR_SET_CHILD_SUBREAPER, 1); }
    void TearDown() override
    {
        std::vector<ProcessEntry> left;
        try {
            waitUntil(bound::end, "processes were left behind", [&] {
                while (waitpid(-1, nullptr, WNOHANG) > 0) {
                }
                left = childrenOf(getpid());
                return left.empty();
            });
        } catch (const std::runtime_error& error) {
            for (const ProcessEntry& process : left) {
                ADD_FAILURE() << error.what() << ": " << process.pid << ' ' << process.name;
            }
        }
    }
};

const auto* const noLeftovers = ::testing::AddGlobalTestEnvironment(new NoLeftovers);

}  // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    // A filter that selects nothing fails the run, rather than passing it untested.
    if (::testing::UnitTest::GetInstance()->test_to_run_count() == 0) {
        std::fprintf(stderr, "no test matches the filter\n");
        return 1;
    }
    return result;
}
