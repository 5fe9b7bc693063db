# What "cmake --install" adds beside the programs (each source folder installs
# its own programs and files; cmake/Carpetas.cmake names the folders): the
# links in bin/, the sample agenda, the desktop entry, the icon, the AppStream
# metainfo and the manual pages.

# bin/PROGRAM -> ../lib/varnolt/PROGRAM: relative links, so the installed tree
# can be moved; the program resolves the link to find its own folder.
set(_enlaces ${CMAKE_BINARY_DIR}/enlaces)
file(MAKE_DIRECTORY ${_enlaces})
foreach(_programa Varnolt varnolt-cli varnolt-arq)
    if(TARGET ${_programa})
        file(CREATE_LINK ${VARNOLT_PROGRAMAS_DESDE_BIN}/${_programa} ${_enlaces}/${_programa}
             SYMBOLIC)
        install(FILES ${_enlaces}/${_programa} DESTINATION ${CMAKE_INSTALL_BINDIR})
    endif()
endforeach()

# The sample agenda, and the README the window opens from "Acerca de Varnolt".
install(FILES ${CMAKE_SOURCE_DIR}/data/muestra_2024.csv ${CMAKE_SOURCE_DIR}/README.md
        DESTINATION ${VARNOLT_INSTALL_DATOS})

if(TARGET Varnolt)
    install(FILES ${CMAKE_SOURCE_DIR}/data/varnolt.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${CMAKE_SOURCE_DIR}/data/varnolt.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    install(FILES ${CMAKE_SOURCE_DIR}/data/org.quillmere.Varnolt.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()

# Manual pages, written by hand in roff (Spanish).
install(FILES ${CMAKE_SOURCE_DIR}/data/man/varnolt-cli.1 ${CMAKE_SOURCE_DIR}/data/man/varnolt-arq.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
