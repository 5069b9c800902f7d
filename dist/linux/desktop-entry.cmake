# Install-time step: installs the desktop entry with the launcher's final path. Runs inside the
# install script, where CMAKE_INSTALL_PREFIX is the prefix being installed to (for a package,
# the packaging prefix). Expects VOSSA_DESKTOP_IN (the template), VOSSA_DESKTOP_NAME (the
# installed file's name), VOSSA_DESKTOP_WORK (a folder for the generated file),
# VOSSA_DESKTOP_BINDIR and VOSSA_DESKTOP_DIR (relative to the prefix).

set(launcher "${CMAKE_INSTALL_PREFIX}/${VOSSA_DESKTOP_BINDIR}/vossa")
if(NOT IS_ABSOLUTE "${launcher}")
    get_filename_component(launcher "${launcher}" ABSOLUTE)
endif()

# Exec: a path of plain characters stands as it is; anything else is quoted, with the
# characters the desktop entry format reserves escaped inside the quotes ('\' twice: once for
# the quoting, once for the string value), and '%' doubled.
if(launcher MATCHES "^[A-Za-z0-9/._+-]+$")
    set(VOSSA_DESKTOP_EXEC "${launcher}")
else()
    string(REPLACE [[\]] [[\\\\]] exec "${launcher}")
    string(REPLACE [["]] [[\\"]] exec "${exec}")
    string(REPLACE [[`]] [[\\`]] exec "${exec}")
    string(REPLACE [[$]] [[\\$]] exec "${exec}")
    string(REPLACE [[%]] [[%%]] exec "${exec}")
    set(VOSSA_DESKTOP_EXEC "\"${exec}\"")
endif()
string(REPLACE [[\]] [[\\]] VOSSA_DESKTOP_TRYEXEC "${launcher}")

# Generated in a folder of this install's own, so that installs running side by side into
# different prefixes cannot swap their entries; file(INSTALL) honours DESTDIR.
string(RANDOM LENGTH 8 nonce)
string(SHA1 target "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
set(work "${VOSSA_DESKTOP_WORK}/${target}-${nonce}")
configure_file("${VOSSA_DESKTOP_IN}" "${work}/${VOSSA_DESKTOP_NAME}" @ONLY)
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/${VOSSA_DESKTOP_DIR}" TYPE FILE
     FILES "${work}/${VOSSA_DESKTOP_NAME}")
file(REMOVE_RECURSE "${work}")
