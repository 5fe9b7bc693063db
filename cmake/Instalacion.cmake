# SPDX-License-Identifier: AGPL-3.0-or-later
# What "cmake --install" adds beside the programs (each source folder installs
# its own programs and files; cmake/Carpetas.cmake names the folders): the
# links in bin/, the sample agenda, the desktop entry, the icon, the AppStream
# metainfo, the manual pages, the copyright file, the changelog and the lintian
# overrides.

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

# The documents of the package, as Debian wants them: the manual pages
# (written by hand in roff, Spanish) and the changelog compressed with
# "gzip -9n" (best compression, no name or time stamp, so the same sources
# give the same bytes), the machine-readable copyright file with the whole
# licence, and the lintian overrides.
find_program(VARNOLT_GZIP gzip REQUIRED)
set(_documentos ${CMAKE_BINARY_DIR}/documentos)
set(_comprimidos)
foreach(_fuente man/Varnolt.1 man/varnolt-cli.1 man/varnolt-arq.1 debian/changelog)
    get_filename_component(_nombre ${_fuente} NAME)
    set(_gz ${_documentos}/${_nombre}.gz)
    add_custom_command(
        OUTPUT ${_gz}
        COMMAND sh -c "\"$1\" -9n -c \"$2\" > \"$3\"" sh ${VARNOLT_GZIP}
                ${CMAKE_SOURCE_DIR}/data/${_fuente} ${_gz}
        DEPENDS ${CMAKE_SOURCE_DIR}/data/${_fuente}
        COMMENT "Compressing ${_fuente}"
        VERBATIM)
    list(APPEND _comprimidos ${_gz})
endforeach()
add_custom_target(varnolt_documentos ALL DEPENDS ${_comprimidos})

# The copyright file: its paragraphs, then the licence of LICENSE as the
# format writes a text (every line indented by one space, " ." for an empty
# line).
file(READ ${CMAKE_SOURCE_DIR}/LICENSE VARNOLT_TEXTO_LICENCIA)
string(REGEX REPLACE "\n+$" "" VARNOLT_TEXTO_LICENCIA "${VARNOLT_TEXTO_LICENCIA}")
string(REPLACE "\n" "\n " VARNOLT_TEXTO_LICENCIA " ${VARNOLT_TEXTO_LICENCIA}")
# Twice: a run of empty lines is done every other line by each pass.
foreach(_pasada 1 2)
    string(REPLACE "\n \n" "\n .\n" VARNOLT_TEXTO_LICENCIA "${VARNOLT_TEXTO_LICENCIA}")
endforeach()
configure_file(${CMAKE_SOURCE_DIR}/data/debian/copyright.in ${_documentos}/copyright @ONLY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/LICENSE)

install(FILES ${_documentos}/varnolt-cli.1.gz ${_documentos}/varnolt-arq.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
if(TARGET Varnolt)
    install(FILES ${_documentos}/Varnolt.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()
install(FILES ${_documentos}/copyright ${_documentos}/changelog.gz
        DESTINATION ${VARNOLT_INSTALL_DOC})
# The model behind the agendas Varnolt computes, which varnolt-cli(1) names.
install(FILES ${CMAKE_SOURCE_DIR}/docs/agendas.md DESTINATION ${VARNOLT_INSTALL_DOC})
install(FILES ${CMAKE_SOURCE_DIR}/data/debian/varnolt.lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME varnolt)
