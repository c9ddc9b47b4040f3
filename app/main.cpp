// Entry point of bounce: opens the full-screen "Hello World" window, creates the state
// cells, binds them into the toolkit's callbacks and hands control to the main loop.
#include <GL/freeglut.h>

#include <optional>

#include "app/start.hpp"
#include "common/types.hpp"
#include "input/bindings.hpp"
#include "render/display.hpp"

namespace {

using bounce::Cell;
using bounce::Vec3;

// The program's whole mutable state. Toolkit callbacks carry no user data, so the adapters
// below reach the cells through the one context that main creates; it lives until the
// process ends.
struct Context {
    Cell<Vec3> acceleration;
    Cell<Vec3> velocity;
    Cell<Vec3> position;
    Cell<bool> quitRequested;
};

std::optional<Context> storage;
// Set by main before it registers any adapter.
Context* context = nullptr;

// Input adapters: the modifier state is only valid while the toolkit delivers an event, so
// each adapter reads it before anything else.
void onInput(bounce::Key key, bounce::KeyState state, int x, int y)
{
    const int bits = glutGetModifiers();
    const bounce::Modifiers modifiers{(bits & GLUT_ACTIVE_SHIFT) != 0,
                                      (bits & GLUT_ACTIVE_CTRL) != 0,
                                      (bits & GLUT_ACTIVE_ALT) != 0};
    bounce::keyboardMouse(context->quitRequested, key, state, modifiers, {x, y});
}

void onKeyDown(unsigned char key, int x, int y)
{
    onInput({bounce::KeyKind::character, key}, bounce::KeyState::down, x, y);
}

void onKeyUp(unsigned char key, int x, int y)
{
    onInput({bounce::KeyKind::character, key}, bounce::KeyState::up, x, y);
}

void onSpecialDown(int key, int x, int y)
{
    onInput({bounce::KeyKind::special, key}, bounce::KeyState::down, x, y);
}

void onSpecialUp(int key, int x, int y)
{
    onInput({bounce::KeyKind::special, key}, bounce::KeyState::up, x, y);
}

void onMouse(int button, int state, int x, int y)
{
    onInput({bounce::KeyKind::mouseButton, button},
            state == GLUT_DOWN ? bounce::KeyState::down : bounce::KeyState::up, x, y);
}

// Idle and display adapters.
void onIdle()
{
    bounce::idle(context->quitRequested, context->position, context->velocity,
                 context->acceleration);
}

void onDisplay()
{
    bounce::display(context->position);
}

}  // namespace

int main(int argc, char** argv)
{
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE);
    glutCreateWindow("Hello World");
    glutFullScreen();

    // The cells, in this order, with their starting values.
    context = &storage.emplace(Context{Cell<Vec3>(bounce::startAcceleration),
                                       Cell<Vec3>(bounce::startVelocity),
                                       Cell<Vec3>(bounce::startPosition), Cell<bool>(false)});

    glutKeyboardFunc(onKeyDown);
    glutKeyboardUpFunc(onKeyUp);
    glutSpecialFunc(onSpecialDown);
    glutSpecialUpFunc(onSpecialUp);
    glutMouseFunc(onMouse);
    glutIdleFunc(onIdle);
    glutDisplayFunc(onDisplay);

    // Left from inside the idle callback once a press has been seen; nothing follows it.
    glutMainLoop();
    return 0;
}
