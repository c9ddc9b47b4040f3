// The display and idle callbacks. Drawing relies on OpenGL's default state throughout:
// identity projection, modelview matrix mode, black clear colour, nothing enabled.
#include "render/display.hpp"

#include <GL/freeglut.h>
#include <GL/gl.h>

#include "motion/action.hpp"
#include "render/cube.hpp"

namespace bounce {
namespace {

constexpr float cubeHalfEdge = 0.1f;

}  // namespace

void display(const Cell<Vec3>& position)
{
    glClear(GL_COLOR_BUFFER_BIT);
    glLoadIdentity();
    glPushMatrix();
    {
        GLint matrixMode = 0;
        glGetIntegerv(GL_MATRIX_MODE, &matrixMode);
        const Vec3 p = position.read();
        glColor3f(1.0f, 1.0f, 1.0f);
        glTranslatef(p.x, p.y, p.z);
        cube(cubeHalfEdge);
        glMatrixMode(static_cast<GLenum>(matrixMode));
    }
    glPopMatrix();
    glutSwapBuffers();
}

void idle(const Cell<bool>& quitRequested, Cell<Vec3>& position, Cell<Vec3>& velocity,
          const Cell<Vec3>& acceleration)
{
    if (quitRequested.read()) {
        glutLeaveMainLoop();
        return;
    }
    const Vec3 a = acceleration.read();
    const Vec3 p = position.read();
    const Vec3 v = velocity.read();
    // Both updates start from the same values: a change of velocity reaches the position
    // one step later.
    velocity.write(newVelocity3(bounds, bounceFactor, p, a, v));
    position.write(nextPosition3(p, v));
    glutPostRedisplay();
}

}  // namespace bounce
