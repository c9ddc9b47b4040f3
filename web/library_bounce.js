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

  // A browser may take the WebGL context away at any time and give it back later with every
  // object made in it gone. It gives it back only to a page that asks for that on the loss.
  // The motion lives in the program's memory and goes on meanwhile, its frames drawn into
  // nothing. On restoring, what the immediate-mode emulation keeps of the old context in its
  // own tables is made anew: the temporary and quad index buffers, the compiled
  // fixed-function programs and the record of enabled vertex attributes. The rest of
  // WebGL's state is back at its defaults, the viewport spanning the canvas among them,
  // which is what bounce draws in; it uses no extension.
  contextLoss__deps: ['$Browser', '$GL', '$GLImmediateSetup'],
  contextLoss__postset: 'Browser.moduleContextCreatedCallbacks.push(_contextLoss);',
  contextLoss: function() {
    var context = GL.currentContext, canvas = context.GLctx.canvas;
    canvas.addEventListener('webglcontextlost', function(event) { event.preventDefault(); });
    canvas.addEventListener('webglcontextrestored', function() {
      GL.generateTempBuffers(true, context);
      GL.enabledClientAttribIndices = [];
      GLImmediate.rendererCache = GLImmediate.MapTreeLib.create();
    });
  },
});
