// Geometry of the cube, sent to OpenGL in immediate mode.
#pragma once

#include <initializer_list>

#include "common/types.hpp"

namespace bounce {

// Draws an axis-aligned cube of edge 2 * halfEdge centred on the current origin, as one
// GL_QUADS primitive in the current colour. Call it outside any glBegin/glEnd pair.
void cube(float halfEdge);

// Sends each triple, in order, as one glVertex3f; the caller opens and closes the primitive.
void vertify3(std::initializer_list<Vec3> triples);

}  // namespace bounce
