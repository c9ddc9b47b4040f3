# The Windows platform: the same sources on freeglut and OpenGL for Windows, cross-built with
# MinGW-w64 (toolchain.cmake), with the icon and version resources and the release zip.
enable_language(RC)
find_package(OpenGL REQUIRED)
# freeglut as windows/libraries.sh builds it, under the name the sources link it by
# everywhere. The program links its DLL itself rather than the import library: the linker
# orders the import tables by the paths of the libraries they come from, which would make
# the executable depend on where it is built.
find_package(FreeGLUT CONFIG REQUIRED)
get_target_property(freeglut_dll FreeGLUT::freeglut IMPORTED_LOCATION_RELEASE)
add_library(GLUT::GLUT SHARED IMPORTED)
set_target_properties(GLUT::GLUT PROPERTIES
    IMPORTED_LOCATION ${freeglut_dll} IMPORTED_IMPLIB ${freeglut_dll}
    INTERFACE_INCLUDE_DIRECTORIES $<TARGET_PROPERTY:FreeGLUT::freeglut,INTERFACE_INCLUDE_DIRECTORIES>)

# freeglut's Windows header otherwise swaps glutInit and glutCreateWindow for variants that
# pass it the C library's exit, and the program would import other entry points than on Linux.
target_compile_definitions(bounce_options INTERFACE GLUT_DISABLE_ATEXIT_HACK)
# MinGW's own libraries (GCC's runtime, the C++ library, its threads, the stack protector's
# runtime) are linked in, so that no MinGW DLL has to ship; Windows' DLLs and freeglut's are
# still imported. The PE header carries no timestamp, so that two builds give the same bytes.
target_link_options(bounce_options INTERFACE -static LINKER:--no-insert-timestamp)

# The stack protector (given to the link as well, which then brings in its runtime) and
# fortified calls; ASLR with high-entropy addresses and DEP, the linker's defaults, made
# explicit.
if(BOUNCE_HARDENING)
    target_compile_options(bounce_options INTERFACE -fstack-protector-strong
        "$<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=2>")
    target_link_options(bounce_options INTERFACE -fstack-protector-strong
        LINKER:--dynamicbase LINKER:--high-entropy-va LINKER:--nxcompat)
endif()

# Makes target the Windows program: the icon from packaging/icons and a version resource
# embedded, symbols stripped, and the zip a Windows user unzips and runs.
function(bounce_windows_program target)
    set(windows ${PROJECT_SOURCE_DIR}/windows)
    set(icons ${PROJECT_SOURCE_DIR}/packaging/icons)
    set(BOUNCE_ICON ${PROJECT_BINARY_DIR}/bounce.ico)
    # Small sizes as bitmaps, the large one as PNG, as Windows' own icons are made.
    find_program(ICOTOOL icotool REQUIRED)
    add_custom_command(OUTPUT ${BOUNCE_ICON}
        COMMAND ${ICOTOOL} -c -o ${BOUNCE_ICON} ${icons}/bounce-16.png ${icons}/bounce-32.png
                ${icons}/bounce-48.png -r ${icons}/bounce-256.png
        DEPENDS ${icons}/bounce-16.png ${icons}/bounce-32.png ${icons}/bounce-48.png
                ${icons}/bounce-256.png)
    file(STRINGS ${PROJECT_SOURCE_DIR}/LICENSE BOUNCE_COPYRIGHT REGEX "^Copyright")
    configure_file(${windows}/bounce.rc.in bounce.rc @ONLY)
    set_source_files_properties(${PROJECT_BINARY_DIR}/bounce.rc PROPERTIES
        OBJECT_DEPENDS ${BOUNCE_ICON})
    target_sources(${target} PRIVATE ${PROJECT_BINARY_DIR}/bounce.rc)
    target_link_options(${target} PRIVATE LINKER:-s)

    # The zip: the program, freeglut's DLL, both licences and a read-me, the texts with
    # Windows line ends, every entry stamped with the commit's time (SOURCE_DATE_EPOCH).
    get_filename_component(freeglut ${FreeGLUT_DIR}/../../.. ABSOLUTE)
    set(stage ${PROJECT_BINARY_DIR}/zip)
    configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${stage}/LICENSE.txt NEWLINE_STYLE CRLF)
    configure_file(${freeglut}/share/doc/freeglut/COPYING ${stage}/freeglut-COPYING.txt
        NEWLINE_STYLE CRLF)
    set(FREEGLUT_VERSION ${FreeGLUT_VERSION})
    configure_file(${windows}/README.txt.in ${stage}/README.txt @ONLY NEWLINE_STYLE CRLF)
    # Info-ZIP without its extra fields, which would hold each file's access and change times.
    find_program(ZIP zip REQUIRED)
    string(TIMESTAMP stamp "%Y-%m-%d %H:%M:%S UTC" UTC)
    set(zip ${PROJECT_BINARY_DIR}/bounce-${PROJECT_VERSION}-windows-x86_64.zip)
    set(entries LICENSE.txt README.txt $<TARGET_FILE_NAME:${target}> freeglut-COPYING.txt
        $<TARGET_FILE_NAME:GLUT::GLUT>)
    add_custom_command(OUTPUT ${zip}
        COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:${target}> $<TARGET_FILE:GLUT::GLUT> ${stage}
        COMMAND touch -d ${stamp} ${entries}
        COMMAND ${CMAKE_COMMAND} -E rm -f ${zip}
        COMMAND ${CMAKE_COMMAND} -E env TZ=UTC ${ZIP} -q -X -D ${zip} ${entries}
        WORKING_DIRECTORY ${stage}
        DEPENDS ${target} ${stage}/LICENSE.txt ${stage}/freeglut-COPYING.txt ${stage}/README.txt
        COMMENT "Zipping ${zip}"
        VERBATIM)
    add_custom_target(${target}_zip ALL DEPENDS ${zip})
endfunction()
