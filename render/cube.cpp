// Geometry of the cube: six quadrilaterals, 24 vertices, built from the half-edge each call.
#include "render/cube.hpp"

#include <GL/gl.h>

namespace bounce {

void cube(float halfEdge)
{
    const float w = halfEdge;
    const float n = -halfEdge;

    // The +x, +y and +z faces start at the corner (w, w, w); the three faces after them are
    // those mirrored, vertex for vertex, which reverses their winding.
    glBegin(GL_QUADS);
    {
        vertify3({
            {w, w, w}, {w, w, n}, {w, n, n}, {w, n, w},  // x = +w
            {w, w, w}, {w, w, n}, {n, w, n}, {n, w, w},  // y = +w
            {w, w, w}, {w, n, w}, {n, n, w}, {n, w, w},  // z = +w
            {n, w, w}, {n, w, n}, {n, n, n}, {n, n, w},  // x = -w
            {w, n, w}, {w, n, n}, {n, n, n}, {n, n, w},  // y = -w
            {w, w, n}, {w, n, n}, {n, n, n}, {n, w, n},  // z = -w
        });
    }
    glEnd();
}

void vertify3(std::initializer_list<Vec3> triples)
{
    for (const Vec3& t : triples) {
        glVertex3f(t.x, t.y, t.z);
    }
}

}  // namespace bounce
