// A double of OpenGL and freeglut that does nothing and allocates nothing: the cost of the
// program's own code per call is measured against it, and so is its use of the heap.
#include <GL/freeglut.h>
#include <GL/gl.h>

extern "C" {

void glClear(GLbitfield /*mask*/) {}
void glLoadIdentity() {}
void glPushMatrix() {}
void glPopMatrix() {}
void glGetIntegerv(GLenum /*pname*/, GLint* params)
{
    *params = GL_MODELVIEW;
}
void glMatrixMode(GLenum /*mode*/) {}
void glTranslatef(GLfloat /*x*/, GLfloat /*y*/, GLfloat /*z*/) {}
void glColor3f(GLfloat /*r*/, GLfloat /*g*/, GLfloat /*b*/) {}
void glBegin(GLenum /*mode*/) {}
void glVertex3f(GLfloat /*x*/, GLfloat /*y*/, GLfloat /*z*/) {}
void glEnd() {}
void glutLeaveMainLoop() {}
void glutPostRedisplay() {}
void glutSwapBuffers() {}

}  // extern "C"
