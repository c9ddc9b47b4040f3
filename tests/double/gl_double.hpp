// Recording test double of the OpenGL and freeglut entry points that bounce calls. Linked in
// place of the real libraries, it records every call with its exact arguments and plays the
// toolkit's part: it keeps the registered callbacks and delivers events through them.
#pragma once

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <variant>
#include <vector>

namespace gldouble {

// One recorded argument: an integer, a float kept bit for bit, or a text.
struct FloatBits {
    std::uint32_t bits;
    bool operator==(const FloatBits& other) const { return bits == other.bits; }
};
using Arg = std::variant<long long, FloatBits, std::string>;

struct Call {
    std::string name;
    std::vector<Arg> args;
    bool operator==(const Call& other) const { return name == other.name && args == other.args; }
};

void PrintTo(const Call& call, std::ostream* out);

// Builders for expected calls.
Arg f(float value);
Arg i(long long value);
Call call(std::string name, std::vector<Arg> args = {});

// Recorded calls, oldest first; reset() also forgets callbacks and toolkit state.
const std::vector<Call>& calls();
void reset();
void clearCalls();

// Calls whose name is one of those given, in order.
std::vector<Call> callsNamed(const std::vector<std::string>& names);

// Toolkit state seen by the double.
struct Toolkit {
    void (*keyboard)(unsigned char, int, int) = nullptr;
    void (*keyboardUp)(unsigned char, int, int) = nullptr;
    void (*special)(int, int, int) = nullptr;
    void (*specialUp)(int, int, int) = nullptr;
    void (*mouse)(int, int, int, int) = nullptr;
    void (*idle)() = nullptr;
    void (*display)() = nullptr;
    char** initArgv = nullptr;
    int modifiers = 0;  // what glutGetModifiers answers
    bool inInputEvent = false;
    bool redisplayPending = false;
    bool leaveRequested = false;
    std::function<void()> mainLoop;  // what glutMainLoop runs
};
Toolkit& toolkit();

// OpenGL state tracked by the double.
struct GlState {
    int matrixMode = 0x1700;  // GL_MODELVIEW
    int pushDepth = 0;
    int openPrimitives = 0;
    int errors = 0;  // misuse: unbalanced pairs, modifiers read outside an input event
};
GlState& glState();

// Event delivery, as the toolkit does it: modifiers are only valid during input events.
void pressKey(unsigned char key, int modifiers = 0);
void releaseKey(unsigned char key, int modifiers = 0);
void pressSpecial(int key, int modifiers = 0);
void releaseSpecial(int key, int modifiers = 0);
void mouseButton(int button, int state, int modifiers = 0);

// One turn of the main loop: an idle call, then one display call if a redraw was requested.
void idleTurn();

}  // namespace gldouble
