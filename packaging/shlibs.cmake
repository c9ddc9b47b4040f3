# Run by CPack before dpkg-shlibdeps. freeglut's library is libglut.so.3 from Debian's
# 3.4.0-2 on (Debian 13) and libglut.so.3.12 before it (Debian 12), while its package keeps
# the name libglut3.12 and asks a program built against either for no more than 3.4.0: a
# package built on Debian 13 would install on Debian 12 and fail to start there. This asks for
# the version that first has libglut.so.3; it changes nothing for a program built against
# libglut.so.3.12.
file(WRITE ${CPACK_TEMPORARY_DIRECTORY}/debian/shlibs.local "libglut 3 libglut3.12 (>= 3.4.0-2)\n")
