# Compares the OpenGL and freeglut symbols that BINARY imports with the list it may import.
# A Windows program (GLUT_DLL and OBJDUMP given) must also take each from its own DLL: the
# freeglut ones from GLUT_DLL, the OpenGL ones from OPENGL32.dll.
set(expected
    glBegin glClear glColor3f glEnd glGetIntegerv glLoadIdentity glMatrixMode glPopMatrix
    glPushMatrix glTranslatef glVertex3f
    glutCreateWindow glutDisplayFunc glutFullScreen glutGetModifiers glutIdleFunc glutInit
    glutInitDisplayMode glutKeyboardFunc glutKeyboardUpFunc glutLeaveMainLoop glutMainLoop
    glutMouseFunc glutPostRedisplay glutSpecialFunc glutSpecialUpFunc glutSwapBuffers)

if(GLUT_DLL)
    execute_process(COMMAND ${OBJDUMP} -p ${BINARY} OUTPUT_VARIABLE listing RESULT_VARIABLE status)
else()
    execute_process(COMMAND nm -D --undefined-only ${BINARY}
        OUTPUT_VARIABLE listing RESULT_VARIABLE status)
endif()
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cannot list the imports of ${BINARY}")
endif()

if(GLUT_DLL)
    # The import tables: a "DLL Name" line, then one line per symbol taken from that DLL, its
    # name last (binutils 2.40 puts a hint before it, 2.44 also a bound-to column).
    set(found "")
    string(REGEX MATCHALL "[^\n]+" lines "${listing}")
    foreach(line IN LISTS lines)
        if(line MATCHES "DLL Name: (.+)$")
            set(dll ${CMAKE_MATCH_1})
        elseif(line MATCHES "^\t[0-9a-f]+[\t ].*[\t ](gl[A-Za-z0-9_]*)$")
            list(APPEND found "${dll}:${CMAKE_MATCH_1}")
        endif()
    endforeach()
    list(TRANSFORM expected REPLACE "^(glut[A-Z].*)" "${GLUT_DLL}:\\1")
    list(TRANSFORM expected REPLACE "^(gl[A-Z].*)" "OPENGL32.dll:\\1")
else()
    string(REGEX MATCHALL "[ \n]gl[A-Za-z0-9_]*" found "${listing}")
    list(TRANSFORM found STRIP)
endif()

list(SORT found)
list(SORT expected)
if(NOT found STREQUAL expected)
    message(FATAL_ERROR "imported GL/GLUT symbols differ\n  found:    ${found}\n  expected: ${expected}")
endif()
