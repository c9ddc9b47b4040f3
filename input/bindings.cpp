// Keyboard and mouse handling: the first press of anything ends the program at the next
// idle call, which is where quitRequested is acted on.
#include "input/bindings.hpp"

namespace bounce {

void keyboardMouse(Cell<bool>& quitRequested, Key /*key*/, KeyState state, Modifiers /*modifiers*/,
                   Pointer /*pointer*/)
{
    if (state == KeyState::down) {
        quitRequested.write(true);
    }
}

}  // namespace bounce
