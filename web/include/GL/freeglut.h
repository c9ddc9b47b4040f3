// freeglut's header in the browser: Emscripten's GLUT declares the standard API, and the
// one freeglut addition the program calls comes from the web glue (library_bounce.js).
#pragma once

#include <GL/glut.h>

#ifdef __cplusplus
extern "C" {
#endif

// Leaves the main loop; the program then ends with status 0, as under freeglut's default.
void glutLeaveMainLoop(void);

#ifdef __cplusplus
}
#endif
