# Install-time step: writes the desktop entry with the launcher's final path. Runs inside the
# install script, where CMAKE_INSTALL_PREFIX is the prefix being installed to (for a package,
# the packaging prefix). Expects VOSSA_DESKTOP_IN, VOSSA_DESKTOP_OUT and VOSSA_DESKTOP_BINDIR.

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

configure_file("${VOSSA_DESKTOP_IN}" "${VOSSA_DESKTOP_OUT}" @ONLY)
