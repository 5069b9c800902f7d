# Installation layout (any prefix, `cmake --install <build> --prefix <dir>`), the Debian games
# layout below the prefix:
#   games/vossa                                 launcher: runs the game in $XDG_DATA_HOME/vossa
#   games/vossa-pack                            the archive tool, for replacing assets
#   lib/games/vossa/vossa                       the game program
#   share/games/vossa/vossadata.bin             the asset pack
#   share/applications/<id>.desktop             menu entry
#   share/metainfo/<id>.metainfo.xml            software-centre description (AppStream)
#   share/icons/hicolor/<N>x<N>/apps/vossa.png  icons made from the card back of the pack
#   share/man/man6/vossa.6.gz, vossa-pack.6.gz  manual pages
#   share/doc/vossa/copyright, changelog.gz     licences (machine-readable) and release history
# The game opens its asset pack and settings by bare name in its working folder; the launcher
# provides that folder per user. cmake/VossaPackage.cmake builds the Debian package from this.

if(TARGET vossa)
    # The application's reverse-DNS id names its desktop entry and metainfo file. The web
    # address is where the README's screenshots are published; distributors set their own.
    set(VOSSA_APP_ID org.example.vossa)
    set(VOSSA_WEB_URL "https://vossa.example.org" CACHE STRING
        "Home page of the game; its screenshots are expected under <url>/screenshots/")
    set(VOSSA_CONTACT "Vossa developers <vossa@example.org>")

    set(VOSSA_INSTALL_BINDIR games)
    set(VOSSA_INSTALL_GAMEDIR lib/games/vossa)
    set(VOSSA_INSTALL_PACKDIR share/games/vossa)
    set(VOSSA_INSTALL_DESKTOPDIR share/applications)
    set(VOSSA_INSTALL_METAINFODIR share/metainfo)
    set(VOSSA_INSTALL_ICONDIR share/icons/hicolor)
    set(VOSSA_INSTALL_MANDIR share/man/man6)
    set(VOSSA_INSTALL_DOCDIR share/doc/vossa)

    # The launcher finds the rest of the installation relative to its own folder.
    file(RELATIVE_PATH VOSSA_BIN_TO_PREFIX /prefix/${VOSSA_INSTALL_BINDIR} /prefix)
    configure_file(${CMAKE_SOURCE_DIR}/dist/linux/vossa.in ${CMAKE_BINARY_DIR}/dist/vossa @ONLY)
    configure_file(${CMAKE_SOURCE_DIR}/dist/linux/vossa.metainfo.xml.in
                   ${CMAKE_BINARY_DIR}/dist/${VOSSA_APP_ID}.metainfo.xml @ONLY)

    # Manual pages (which carry the version) and the changelog are installed compressed,
    # without name or time stamp in the gzip header, so that the same sources give the same
    # bytes.
    configure_file(${CMAKE_SOURCE_DIR}/dist/linux/vossa.6.in ${CMAKE_BINARY_DIR}/dist/vossa.6 @ONLY)
    configure_file(${CMAKE_SOURCE_DIR}/dist/linux/vossa-pack.6.in
                   ${CMAKE_BINARY_DIR}/dist/vossa-pack.6 @ONLY)
    configure_file(${CMAKE_SOURCE_DIR}/dist/linux/changelog ${CMAKE_BINARY_DIR}/dist/changelog
                   COPYONLY)
    find_program(VOSSA_GZIP gzip REQUIRED)
    set(compressed)
    foreach(name vossa.6 vossa-pack.6 changelog)
        set(output ${CMAKE_BINARY_DIR}/dist/${name}.gz)
        add_custom_command(
            OUTPUT ${output}
            COMMAND ${VOSSA_GZIP} -9nc ${CMAKE_BINARY_DIR}/dist/${name} > ${output}
            DEPENDS ${CMAKE_BINARY_DIR}/dist/${name}
            VERBATIM)
        list(APPEND compressed ${output})
    endforeach()
    add_custom_target(vossa_dist_files ALL DEPENDS ${compressed})

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
    install(FILES ${CMAKE_BINARY_DIR}/dist/vossa.6.gz ${CMAKE_BINARY_DIR}/dist/vossa-pack.6.gz
            DESTINATION ${VOSSA_INSTALL_MANDIR})
    install(FILES ${CMAKE_BINARY_DIR}/dist/changelog.gz ${CMAKE_SOURCE_DIR}/dist/linux/copyright
            DESTINATION ${VOSSA_INSTALL_DOCDIR})
    install(FILES ${CMAKE_BINARY_DIR}/dist/${VOSSA_APP_ID}.metainfo.xml
            DESTINATION ${VOSSA_INSTALL_METAINFODIR})

    # The desktop entry names the launcher by its absolute path, known only at install time.
    install(CODE "
        set(VOSSA_DESKTOP_IN \"${CMAKE_SOURCE_DIR}/dist/linux/vossa.desktop.in\")
        set(VOSSA_DESKTOP_NAME \"${VOSSA_APP_ID}.desktop\")
        set(VOSSA_DESKTOP_WORK \"${CMAKE_BINARY_DIR}/dist/desktop\")
        set(VOSSA_DESKTOP_BINDIR \"${VOSSA_INSTALL_BINDIR}\")
        set(VOSSA_DESKTOP_DIR \"${VOSSA_INSTALL_DESKTOPDIR}\")")
    install(SCRIPT ${CMAKE_SOURCE_DIR}/dist/linux/desktop-entry.cmake)

    include(${CMAKE_CURRENT_LIST_DIR}/VossaPackage.cmake)
endif()
