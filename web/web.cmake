# The browser platform: Emscripten's GLUT and WebGL under the same sources. The folder holds
# the freeglut header the sources include, the JS glue for what Emscripten's GLUT lacks,
# the page, and what makes it an installable app: its manifest and service worker.
add_library(bounce_gl_headers INTERFACE)
target_include_directories(bounce_gl_headers SYSTEM INTERFACE ${CMAKE_CURRENT_LIST_DIR}/include)

# Makes target a page, bounce.html with its .js and .wasm. Immediate mode needs the legacy
# GL emulation; the runtime exits on leaving the main loop, so that Module.onExit sees 0;
# the page runs only in browsers; the context-loss glue is kept although no C code calls it.
# Beside the page go the app's manifest, its icons and the service worker that keeps them
# all for use offline; the install rules put the lot, as served, in one folder.
function(bounce_web_page target)
    set(web ${PROJECT_SOURCE_DIR}/web)
    set_target_properties(${target} PROPERTIES SUFFIX .html
        LINK_DEPENDS "${web}/library_bounce.js;${web}/shell.html")
    target_link_options(${target} PRIVATE
        -sLEGACY_GL_EMULATION=1 -sGL_FFP_ONLY=1 -sEXIT_RUNTIME=1 -sMINIFY_HTML=0 -sENVIRONMENT=web
        -sDEFAULT_LIBRARY_FUNCS_TO_INCLUDE=contextLoss
        "SHELL:--js-library ${web}/library_bounce.js" "SHELL:--shell-file ${web}/shell.html")

    set(dir ${CMAKE_CURRENT_BINARY_DIR})
    set(icons bounce-192.png bounce-512.png bounce-maskable.png)
    set(files ${target}.html ${target}.js ${target}.wasm bounce.webmanifest ${icons})
    list(TRANSFORM icons PREPEND ${PROJECT_SOURCE_DIR}/packaging/icons/)
    set(app ${web}/bounce.webmanifest ${icons})
    add_custom_command(OUTPUT ${dir}/service-worker.js
        COMMAND ${CMAKE_COMMAND} -E copy ${app} ${dir}
        COMMAND ${CMAKE_COMMAND} -Ddir=${dir} "-Dfiles=${files}" -P ${web}/service-worker.cmake
        DEPENDS ${target} ${app} ${web}/service-worker.js ${web}/service-worker.cmake
        VERBATIM)
    add_custom_target(${target}_app ALL DEPENDS ${dir}/service-worker.js)
    list(TRANSFORM files PREPEND ${dir}/)
    install(FILES ${files} ${dir}/service-worker.js DESTINATION .)
endfunction()
