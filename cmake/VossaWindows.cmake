# The Windows program: a GUI-subsystem vossa.exe carrying its icon (the card back, at the sizes
# the Linux build draws for the desktop), its version and a manifest that names the Windows
# versions it knows and asks for UTF-8 as the code page. (Per-monitor DPI awareness is asked
# of SDL at start-up, so that SDL knows of it.)
# VOSSA_LINUX_BUILD names the Linux build whose icons the icon is made from.
enable_language(RC)

set(VOSSA_LINUX_BUILD "${CMAKE_SOURCE_DIR}/build" CACHE PATH "Linux build that drew the icons")
set(icon_pngs "")
foreach(size 16 32 48 64 128 256)
    list(APPEND icon_pngs ${VOSSA_LINUX_BUILD}/icons/hicolor/${size}x${size}/apps/vossa.png)
endforeach()
find_program(VOSSA_CONVERT convert REQUIRED)
set(VOSSA_ICO ${CMAKE_BINARY_DIR}/vossa.ico)
add_custom_command(
    OUTPUT ${VOSSA_ICO}
    COMMAND ${VOSSA_CONVERT} ${icon_pngs} ${VOSSA_ICO}
    DEPENDS ${icon_pngs}
    COMMENT "Making vossa.ico from the desktop icons"
    VERBATIM)
add_custom_target(vossa_icon DEPENDS ${VOSSA_ICO})

set(VOSSA_MANIFEST ${CMAKE_BINARY_DIR}/vossa.manifest)
configure_file(${CMAKE_SOURCE_DIR}/dist/windows/vossa.manifest.in ${VOSSA_MANIFEST} @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/dist/windows/vossa.rc.in ${CMAKE_BINARY_DIR}/vossa.rc @ONLY)
set_source_files_properties(${CMAKE_BINARY_DIR}/vossa.rc PROPERTIES
    OBJECT_DEPENDS "${VOSSA_ICO};${VOSSA_MANIFEST}")

target_sources(vossa PRIVATE ${CMAKE_BINARY_DIR}/vossa.rc)
add_dependencies(vossa vossa_icon)
set_target_properties(vossa PROPERTIES WIN32_EXECUTABLE ON)
# SDL's WinMain calls the program's main.
target_link_libraries(vossa PRIVATE mingw32 ${VOSSA_WINDOWS_DEPS}/lib/libSDL2main.a)
