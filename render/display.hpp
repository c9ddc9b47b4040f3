// The display and idle callbacks: one frame from the current position, and one motion step
// (or the end of the main loop) per idle call.
#pragma once

#include "common/types.hpp"

namespace bounce {

// What the cube bounces off, on every axis: with the identity projection, -1 to 1 on x and y
// spans the window. A bounce reverses the velocity and scales it by the factor.
constexpr BoundPair windowEdges{-1.0f, 1.0f};
constexpr Bounds3 bounds{windowEdges, windowEdges, windowEdges};
constexpr Vec3 bounceFactor{1.0f, 1.0f, 1.0f};

// Draws one frame: the white cube at position on black, then swaps the buffers.
void display(const Cell<Vec3>& position);

// Leaves the toolkit's main loop once quitRequested is set; otherwise makes one motion step
// from the values at the start of the step and requests a redraw.
void idle(const Cell<bool>& quitRequested, Cell<Vec3>& position, Cell<Vec3>& velocity,
          const Cell<Vec3>& acceleration);

}  // namespace bounce
