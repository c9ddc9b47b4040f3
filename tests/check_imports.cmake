# Compares the OpenGL and freeglut symbols that BINARY imports with the list it may import.
set(expected
    glBegin glClear glColor3f glEnd glGetIntegerv glLoadIdentity glMatrixMode glPopMatrix
    glPushMatrix glTranslatef glVertex3f
    glutCreateWindow glutDisplayFunc glutFullScreen glutGetModifiers glutIdleFunc glutInit
    glutInitDisplayMode glutKeyboardFunc glutKeyboardUpFunc glutLeaveMainLoop glutMainLoop
    glutMouseFunc glutPostRedisplay glutSpecialFunc glutSpecialUpFunc glutSwapBuffers)

execute_process(COMMAND nm -D --undefined-only ${BINARY}
    OUTPUT_VARIABLE listing RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "nm failed on ${BINARY}")
endif()

string(REGEX MATCHALL "[ \n]gl[A-Za-z0-9_]*" found "${listing}")
list(TRANSFORM found STRIP)
list(SORT found)
list(SORT expected)
if(NOT found STREQUAL expected)
    message(FATAL_ERROR "imported GL/GLUT symbols differ\n  found:    ${found}\n  expected: ${expected}")
endif()
