// Keyboard and mouse handler: presses request the end, releases never do.
#include <gtest/gtest.h>

#include <GL/freeglut.h>

#include "input/bindings.hpp"

namespace {

using bounce::Cell;
using bounce::Key;
using bounce::KeyKind;
using bounce::KeyState;
using bounce::Modifiers;

struct Event {
    const char* name;
    Key key;
    Modifiers modifiers;
};

const Event events[] = {
    {"character", {KeyKind::character, 'q'}, {false, false, false}},
    {"NUL character", {KeyKind::character, 0}, {false, false, false}},
    {"escape with every modifier", {KeyKind::character, 27}, {true, true, true}},
    {"F1 with shift", {KeyKind::special, GLUT_KEY_F1}, {true, false, false}},
    {"left arrow with ctrl", {KeyKind::special, GLUT_KEY_LEFT}, {false, true, false}},
    {"left button", {KeyKind::mouseButton, GLUT_LEFT_BUTTON}, {false, false, false}},
    {"middle button with alt", {KeyKind::mouseButton, GLUT_MIDDLE_BUTTON}, {false, false, true}},
    {"right button", {KeyKind::mouseButton, GLUT_RIGHT_BUTTON}, {false, false, false}},
    {"wheel up", {KeyKind::mouseButton, 3}, {false, false, false}},
    {"wheel down", {KeyKind::mouseButton, 4}, {false, false, false}},
};

TEST(KeyboardMouse, AnyPressRequestsTheEndWhateverKeyModifiersOrPointer)
{
    for (const Event& e : events) {
        for (bounce::Pointer at : {bounce::Pointer{0, 0}, bounce::Pointer{-40, 100000}}) {
            Cell<bool> quitRequested(false);
            bounce::keyboardMouse(quitRequested, e.key, KeyState::down, e.modifiers, at);
            EXPECT_TRUE(quitRequested.read()) << e.name;
        }
    }
}

TEST(KeyboardMouse, ReleasesAloneChangeNothing)
{
    for (const Event& e : events) {
        Cell<bool> quitRequested(false);
        bounce::keyboardMouse(quitRequested, e.key, KeyState::up, e.modifiers, {1, 1});
        EXPECT_FALSE(quitRequested.read()) << e.name;
    }
}

TEST(KeyboardMouse, OnceRequestedTheEndStaysRequested)
{
    Cell<bool> quitRequested(false);
    const Key key{KeyKind::character, 'a'};
    bounce::keyboardMouse(quitRequested, key, KeyState::down, {}, {0, 0});
    bounce::keyboardMouse(quitRequested, key, KeyState::up, {}, {0, 0});
    bounce::keyboardMouse(quitRequested, key, KeyState::down, {}, {0, 0});
    EXPECT_TRUE(quitRequested.read());
}

}  // namespace
