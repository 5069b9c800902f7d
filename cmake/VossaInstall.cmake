# Installation layout (any prefix, `cmake --install <build> --prefix <dir>`):
#   bin/vossa                                  launcher: runs the game in $XDG_DATA_HOME/vossa
#   bin/vossa-pack                             the archive tool, for replacing assets
#   lib/vossa/vossa                            the game program
#   share/vossa/vossadata.bin                  the asset pack
#   share/applications/vossa.desktop           menu entry
#   share/icons/hicolor/<N>x<N>/apps/vossa.png icons made from the card back of the pack
#   share/man/man6/vossa.6                     manual page
# The game opens its asset pack and settings by bare name in its working folder; the launcher
# provides that folder per user. cmake/VossaPackage.cmake builds the Debian package from this.

if(TARGET vossa)
    set(VOSSA_INSTALL_BINDIR bin)
    set(VOSSA_INSTALL_GAMEDIR lib/vossa)
    set(VOSSA_INSTALL_PACKDIR share/vossa)
    set(VOSSA_INSTALL_DESKTOPDIR share/applications)
    set(VOSSA_INSTALL_ICONDIR share/icons/hicolor)
    set(VOSSA_INSTALL_MANDIR share/man/man6)

    # The launcher finds the rest of the installation relative to its own folder.
    file(RELATIVE_PATH VOSSA_BIN_TO_PREFIX /prefix/${VOSSA_INSTALL_BINDIR} /prefix)
    configure_file(${CMAKE_SOURCE_DIR}/dist/linux/vossa.in ${CMAKE_BINARY_DIR}/dist/vossa @ONLY)

    install(TARGETS vossa RUNTIME DESTINATION ${VOSSA_INSTALL_GAMEDIR})
    install(PROGRAMS ${CMAKE_BINARY_DIR}/dist/vossa DESTINATION ${VOSSA_INSTALL_BINDIR})
    if(TARGET vossa-pack)
        install(TARGETS vossa-pack RUNTIME DESTINATION ${VOSSA_INSTALL_BINDIR})
    endif()
    if(TARGET vossa_pack)
        install(FILES ${VOSSA_RUN_DIR}/vossadata.bin DESTINATION ${VOSSA_INSTALL_PACKDIR})
    endif()
    if(TARGET vossa_icons)
        foreach(size ${VOSSA_ICON_SIZES})
            install(FILES ${VOSSA_ICON_DIR}/hicolor/${size}x${size}/apps/vossa.png
                    DESTINATION ${VOSSA_INSTALL_ICONDIR}/${size}x${size}/apps)
        endforeach()
    endif()
    install(FILES ${CMAKE_SOURCE_DIR}/dist/linux/vossa.6 DESTINATION ${VOSSA_INSTALL_MANDIR})

    # The desktop entry names the launcher by its absolute path, known only at install time.
    install(CODE "
        set(VOSSA_DESKTOP_IN \"${CMAKE_SOURCE_DIR}/dist/linux/vossa.desktop.in\")
        set(VOSSA_DESKTOP_WORK \"${CMAKE_BINARY_DIR}/dist/desktop\")
        set(VOSSA_DESKTOP_BINDIR \"${VOSSA_INSTALL_BINDIR}\")
        set(VOSSA_DESKTOP_DIR \"${VOSSA_INSTALL_DESKTOPDIR}\")")
    install(SCRIPT ${CMAKE_SOURCE_DIR}/dist/linux/desktop-entry.cmake)

    include(${CMAKE_CURRENT_LIST_DIR}/VossaPackage.cmake)
endif()
