// The least a full-screen, idle-driven freeglut animation can draw: each idle call asks
// for a redraw, each frame clears, draws one white quad and swaps. bounce's frame rate is
// measured against this program's.
#include <GL/freeglut.h>
#include <GL/gl.h>

namespace {

void display()
{
    glClear(GL_COLOR_BUFFER_BIT);
    glColor3f(1.0f, 1.0f, 1.0f);
    glBegin(GL_QUADS);
    {
        glVertex3f(0.8f, 0.1f, 0.0f);
        glVertex3f(1.0f, 0.1f, 0.0f);
        glVertex3f(1.0f, -0.1f, 0.0f);
        glVertex3f(0.8f, -0.1f, 0.0f);
    }
    glEnd();
    glutSwapBuffers();
}

void idle()
{
    glutPostRedisplay();
}

}  // namespace

int main(int argc, char** argv)
{
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE);
    glutCreateWindow("Reference");
    glutFullScreen();
    glutIdleFunc(idle);
    glutDisplayFunc(display);
    glutMainLoop();
    return 0;
}
