// Browser glue under Emscripten's GLUT, in Emscripten's JS library form: what freeglut does
// that Emscripten's GLUT does not, or does otherwise.
mergeInto(LibraryManager.library, {
  // freeglut's default on leaving the main loop: the program exits with status 0, after
  // which the runtime makes no idle call and draws no frame. The page keeps the last frame:
  // GLUT's exit handler shrinks the canvas, so it is handed a stand-in.
  glutLeaveMainLoop__deps: ['exit'],
  glutLeaveMainLoop: function() {
    Module['canvas'] = document.createElement('canvas');
    _exit(0);
  },

  // Browsers grant real full screen only during a user gesture, which start-up is not, so
  // the window's full screen is the page's viewport: the canvas fills it and follows its
  // size, with the GL viewport set as freeglut's default reshape sets it.
  glutFullScreen__deps: ['$Browser', 'glutPostRedisplay', 'glViewport'],
  glutFullScreen: function() {
    var canvas = Module['canvas'];
    function fit() {
      var scale = window.devicePixelRatio || 1;
      Browser.setCanvasSize(Math.round(window.innerWidth * scale),
                            Math.round(window.innerHeight * scale), true);
      _glViewport(0, 0, canvas.width, canvas.height);
      _glutPostRedisplay();
    }
    fit();
    window.addEventListener('resize', function() { if (!ABORT) fit(); });
    if (canvas.requestFullscreen) canvas.requestFullscreen().catch(function() {});
  },
});
