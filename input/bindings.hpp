// Keyboard and mouse handling: any press requests the end of the program.
#pragma once

#include <cstdint>

#include "common/types.hpp"

namespace bounce {

// Where a key or button event came from.
enum class KeyKind : std::uint8_t { character, special, mouseButton };

// The character code, GLUT_KEY_* code or mouse button number, tagged with its kind.
struct Key {
    KeyKind kind;
    int code;
};

enum class KeyState : std::uint8_t { down, up };

struct Modifiers {
    bool shift;
    bool ctrl;
    bool alt;
};

// The pointer position reported with the event, in window coordinates.
struct Pointer {
    int x;
    int y;
};

// Sets quitRequested on every press; releases change nothing. Which key, the modifiers and
// the pointer position do not matter.
void keyboardMouse(Cell<bool>& quitRequested, Key key, KeyState state, Modifiers modifiers,
                   Pointer pointer);

}  // namespace bounce
