// Recording test double of OpenGL and freeglut: the same C entry points as the real
// libraries, so the product's code runs unchanged against it.
#include "gl_double.hpp"

#include <GL/freeglut.h>
#include <GL/gl.h>

#include <algorithm>
#include <cstring>
#include <iomanip>
#include <utility>

namespace gldouble {
namespace {

std::vector<Call>& log()
{
    static std::vector<Call> recorded;
    return recorded;
}

void record(const char* name, std::vector<Arg> args = {})
{
    log().push_back({name, std::move(args)});
}

void deliver(int modifiers, const std::function<void()>& event)
{
    toolkit().modifiers = modifiers;
    toolkit().inInputEvent = true;
    event();
    toolkit().inInputEvent = false;
}

}  // namespace

void PrintTo(const Call& call, std::ostream* out)
{
    *out << call.name << '(';
    const char* separator = "";
    for (const Arg& arg : call.args) {
        *out << separator;
        separator = ", ";
        if (const auto* n = std::get_if<long long>(&arg)) {
            *out << *n;
        } else if (const auto* fb = std::get_if<FloatBits>(&arg)) {
            float value = 0.0f;
            std::memcpy(&value, &fb->bits, sizeof value);
            *out << std::setprecision(9) << value << "f [0x" << std::hex << std::setw(8)
                 << std::setfill('0') << fb->bits << std::dec << std::setfill(' ') << ']';
        } else {
            *out << '"' << std::get<std::string>(arg) << '"';
        }
    }
    *out << ')';
}

Arg f(float value)
{
    FloatBits fb{};
    std::memcpy(&fb.bits, &value, sizeof value);
    return fb;
}

Arg i(long long value)
{
    return value;
}

Call call(std::string name, std::vector<Arg> args)
{
    return {std::move(name), std::move(args)};
}

const std::vector<Call>& calls()
{
    return log();
}

void clearCalls()
{
    log().clear();
}

void reset()
{
    log().clear();
    toolkit() = Toolkit{};
    glState() = GlState{};
}

std::vector<Call> callsNamed(const std::vector<std::string>& names)
{
    std::vector<Call> picked;
    std::copy_if(log().begin(), log().end(), std::back_inserter(picked), [&](const Call& c) {
        return std::find(names.begin(), names.end(), c.name) != names.end();
    });
    return picked;
}

Toolkit& toolkit()
{
    static Toolkit state;
    return state;
}

GlState& glState()
{
    static GlState state;
    return state;
}

void pressKey(unsigned char key, int modifiers)
{
    deliver(modifiers, [&] { toolkit().keyboard(key, 10, 20); });
}

void releaseKey(unsigned char key, int modifiers)
{
    deliver(modifiers, [&] { toolkit().keyboardUp(key, 10, 20); });
}

void pressSpecial(int key, int modifiers)
{
    deliver(modifiers, [&] { toolkit().special(key, 10, 20); });
}

void releaseSpecial(int key, int modifiers)
{
    deliver(modifiers, [&] { toolkit().specialUp(key, 10, 20); });
}

void mouseButton(int button, int state, int modifiers)
{
    deliver(modifiers, [&] { toolkit().mouse(button, state, -5, 7000); });
}

void idleTurn()
{
    toolkit().idle();
    if (toolkit().redisplayPending) {
        toolkit().redisplayPending = false;
        toolkit().display();
    }
}

}  // namespace gldouble

using gldouble::f;
using gldouble::i;
using gldouble::record;

// OpenGL entry points.
extern "C" {

void glClear(GLbitfield mask)
{
    record("glClear", {i(mask)});
}
void glLoadIdentity()
{
    record("glLoadIdentity");
}

void glPushMatrix()
{
    record("glPushMatrix");
    ++gldouble::glState().pushDepth;
}

void glPopMatrix()
{
    record("glPopMatrix");
    if (--gldouble::glState().pushDepth < 0) {
        ++gldouble::glState().errors;
    }
}

void glGetIntegerv(GLenum pname, GLint* params)
{
    record("glGetIntegerv", {i(pname)});
    if (pname == GL_MATRIX_MODE) {
        *params = gldouble::glState().matrixMode;
    }
}

void glMatrixMode(GLenum mode)
{
    record("glMatrixMode", {i(mode)});
    gldouble::glState().matrixMode = static_cast<int>(mode);
}

void glTranslatef(GLfloat x, GLfloat y, GLfloat z)
{
    record("glTranslatef", {f(x), f(y), f(z)});
}
void glColor3f(GLfloat r, GLfloat g, GLfloat b)
{
    record("glColor3f", {f(r), f(g), f(b)});
}

void glBegin(GLenum mode)
{
    record("glBegin", {i(mode)});
    if (gldouble::glState().openPrimitives++ != 0) {
        ++gldouble::glState().errors;
    }
}

void glVertex3f(GLfloat x, GLfloat y, GLfloat z)
{
    record("glVertex3f", {f(x), f(y), f(z)});
}

void glEnd()
{
    record("glEnd");
    if (--gldouble::glState().openPrimitives != 0) {
        ++gldouble::glState().errors;
    }
}

// freeglut entry points.
void glutInit(int* pargc, char** argv)
{
    std::vector<gldouble::Arg> args{i(*pargc)};
    for (int n = 0; n < *pargc; ++n) {
        args.emplace_back(std::string(argv[n]));
    }
    record("glutInit", std::move(args));
    gldouble::toolkit().initArgv = argv;
}

void glutInitDisplayMode(unsigned int mode)
{
    record("glutInitDisplayMode", {i(mode)});
}

int glutCreateWindow(const char* title)
{
    record("glutCreateWindow", {std::string(title)});
    return 1;
}

void glutFullScreen()
{
    record("glutFullScreen");
}

void glutKeyboardFunc(void (*callback)(unsigned char, int, int))
{
    record("glutKeyboardFunc");
    gldouble::toolkit().keyboard = callback;
}

void glutKeyboardUpFunc(void (*callback)(unsigned char, int, int))
{
    record("glutKeyboardUpFunc");
    gldouble::toolkit().keyboardUp = callback;
}

void glutSpecialFunc(void (*callback)(int, int, int))
{
    record("glutSpecialFunc");
    gldouble::toolkit().special = callback;
}

void glutSpecialUpFunc(void (*callback)(int, int, int))
{
    record("glutSpecialUpFunc");
    gldouble::toolkit().specialUp = callback;
}

void glutMouseFunc(void (*callback)(int, int, int, int))
{
    record("glutMouseFunc");
    gldouble::toolkit().mouse = callback;
}

int glutGetModifiers()
{
    record("glutGetModifiers");
    if (!gldouble::toolkit().inInputEvent) {
        ++gldouble::glState().errors;
    }
    return gldouble::toolkit().modifiers;
}

void glutIdleFunc(void (*callback)())
{
    record("glutIdleFunc");
    gldouble::toolkit().idle = callback;
}

void glutDisplayFunc(void (*callback)())
{
    record("glutDisplayFunc");
    gldouble::toolkit().display = callback;
}

void glutMainLoop()
{
    record("glutMainLoop");
    if (gldouble::toolkit().mainLoop) {
        gldouble::toolkit().mainLoop();
    }
}

void glutLeaveMainLoop()
{
    record("glutLeaveMainLoop");
    gldouble::toolkit().leaveRequested = true;
}

void glutPostRedisplay()
{
    record("glutPostRedisplay");
    gldouble::toolkit().redisplayPending = true;
}

void glutSwapBuffers()
{
    record("glutSwapBuffers");
}

}  // extern "C"
