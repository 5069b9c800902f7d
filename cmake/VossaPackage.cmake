# The Debian package (`make package`, or `cpack -G DEB` in the build folder): the install
# layout of cmake/VossaInstall.cmake under /usr, named vossa_<version>_<arch>.deb. The game is
# its own upstream, so the package is a native one: its version is the project's, and its
# changelog is share/doc/vossa/changelog.gz.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vossa)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Vossa developers")
set(CPACK_PACKAGE_CONTACT "${VOSSA_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "3D card game performing the 21-card mind-reading trick")
# The long description goes into the control file below the summary as it stands, line by
# line: kept within the 80 columns Debian allows.
string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Think of one of 21 cards turning on a circle, point out three times the row\n"
    "that holds it, and Vossa reveals your card, large and spinning among the\n"
    "stars. Full screen, played with the mouse or by touch, with texts in English\n"
    "and Polish, music and its own small OpenGL engine.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_PREFIX /usr)
# Installed with DESTDIR so that install-time steps see the final prefix (the desktop entry).
set(CPACK_SET_DESTDIR ON)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The asset pack, nearly all of the package, is zlib-compressed already: gzip keeps packaging
# to seconds where xz takes over a minute.
set(CPACK_DEBIAN_COMPRESSION_TYPE gzip)
# The shared libraries the programs link (SDL2, SDL2_mixer, SDL2_gfx, zlib, OpenGL with its
# GLX part, the C++ runtime), plus libgl1, whose libGL SDL loads to make the OpenGL context.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libc6 (>= 2.34), libgcc-s1 (>= 3.0), libstdc++6 (>= 5.2), libsdl2-2.0-0 (>= 2.0.12), \
libsdl2-mixer-2.0-0 (>= 2.0.4), libsdl2-gfx-1.0-0 (>= 1.0.0), zlib1g (>= 1:1.2.0), \
libopengl0, libglx0, libgl1")
# A hardware or software OpenGL driver.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libgl1-mesa-dri")

include(CPack)
