# SPDX-License-Identifier: AGPL-3.0-or-later
# Installs the build into a fresh prefix and runs the installed programs as a
# user does: through the links in bin/, from a working folder of their own,
# with a new home folder.
#
#   cmake -DCOMPILACION=BUILD -DPRUEBA=FOLDER -DBIN=bin -DPROGRAMAS=lib/varnolt
#         -DDATOS=share/varnolt -DMAN=share/man -DDOC=share/doc/varnolt
#         -DVENTANA=ON|OFF
#         -P PruebaInstalacion.cmake
#
# FOLDER is emptied first; it holds the prefix, the home folder and the
# working folder.
cmake_minimum_required(VERSION 3.25)

set(_prefijo ${PRUEBA}/prefijo)
set(_home ${PRUEBA}/home)
set(_trabajo ${PRUEBA}/trabajo)
file(REMOVE_RECURSE ${PRUEBA})
file(MAKE_DIRECTORY ${_home} ${_trabajo})

function(fallo)
    string(JOIN "" _texto ${ARGN})
    message(FATAL_ERROR "${_texto}")
endfunction()

# Runs a command in the working folder with the test's home and no
# configuration folder of the machine; its output in SALIDA.
function(ejecutar)
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env HOME=${_home} --unset=XDG_CONFIG_HOME
                --unset=XDG_DATA_HOME QT_QPA_PLATFORM=offscreen ${ARGN}
        WORKING_DIRECTORY ${_trabajo}
        RESULT_VARIABLE _codigo
        OUTPUT_VARIABLE _salida
        ERROR_VARIABLE _errores
        TIMEOUT 120)
    if(NOT _codigo EQUAL 0)
        fallo("failed (${_codigo}): ${ARGN}\n${_salida}\n${_errores}")
    endif()
    set(SALIDA "${_salida}" PARENT_SCOPE)
endfunction()

function(debe_contener texto buscado)
    string(FIND "${texto}" "${buscado}" _p)
    if(_p EQUAL -1)
        fallo("\"${buscado}\" not found in:\n${texto}")
    endif()
endfunction()

execute_process(COMMAND ${CMAKE_COMMAND} --install ${COMPILACION} --prefix ${_prefijo}
                RESULT_VARIABLE _codigo OUTPUT_VARIABLE _salida ERROR_VARIABLE _salida)
if(NOT _codigo EQUAL 0)
    fallo("cmake --install failed:\n${_salida}")
endif()

# The installed tree.
set(_esperados
    ${PROGRAMAS}/varnolt-cli ${PROGRAMAS}/varnolt-arq ${PROGRAMAS}/dll/libsqlite.so.0
    ${DATOS}/quillmere_C1_001_v.1.0.arq ${DATOS}/muestra_2024.csv ${DATOS}/README.md
    ${MAN}/man1/varnolt-cli.1.gz ${MAN}/man1/varnolt-arq.1.gz ${DOC}/copyright ${DOC}/changelog.gz)
set(_enlaces varnolt-cli varnolt-arq)
if(VENTANA)
    list(APPEND _esperados ${PROGRAMAS}/Varnolt ${MAN}/man1/Varnolt.1.gz
         share/applications/varnolt.desktop
         share/icons/hicolor/scalable/apps/varnolt.svg
         share/metainfo/org.quillmere.Varnolt.metainfo.xml)
    list(APPEND _enlaces Varnolt)
endif()
foreach(_archivo IN LISTS _esperados)
    if(NOT EXISTS ${_prefijo}/${_archivo})
        fallo("not installed: ${_archivo}")
    endif()
endforeach()
foreach(_enlace IN LISTS _enlaces)
    set(_ruta ${_prefijo}/${BIN}/${_enlace})
    if(NOT IS_SYMLINK ${_ruta})
        fallo("${BIN}/${_enlace} is not a link")
    endif()
    file(READ_SYMLINK ${_ruta} _destino)
    if(IS_ABSOLUTE "${_destino}")
        fallo("${BIN}/${_enlace} links to an absolute path: ${_destino}")
    endif()
    file(REAL_PATH ${_ruta} _real)
    if(NOT _real STREQUAL "${_prefijo}/${PROGRAMAS}/${_enlace}")
        fallo("${BIN}/${_enlace} leads to ${_real}")
    endif()
endforeach()
# The engine is the programs' own: no link name, no header.
foreach(_sobra ${PROGRAMAS}/dll/libsqlite.so include/sqlite.h)
    if(EXISTS ${_prefijo}/${_sobra})
        fallo("installed but not wanted: ${_sobra}")
    endif()
endforeach()

set(_cli ${_prefijo}/${BIN}/varnolt-cli)
set(_agenda ${_prefijo}/${DATOS}/muestra_2024.csv)
set(_arq ${_prefijo}/${DATOS}/quillmere_C1_001_v.1.0.arq)

# The analysis of the installed sample agenda.
ejecutar(${_cli} resumen ${_agenda})
debe_contener("${SALIDA}" "muestra_2024.csv [2399 registros]")

# The installed sample archetype file, read through lib/varnolt/dll.
ejecutar(${_cli} arquetipos --archivo ${_arq} ${_agenda})
debe_contener("${SALIDA}" "El gestor (item en el cielo):\n  Ilumina aquello que toca")

# An installed program keeps its settings in the user's configuration folder.
ejecutar(${_cli} config)
debe_contener("${SALIDA}" "; Configuración de Varnolt: ${_home}/.config/Varnolt/Varnolt.ini\n")
debe_contener("${SALIDA}" "el programa está instalado")

ejecutar(${_prefijo}/${BIN}/varnolt-arq volcar ${_arq})
debe_contener("${SALIDA}" "Items_01")

if(VENTANA)
    # The window on the sample agenda: it copies the sample archetype file
    # into the new user's archetype folder, and writes its settings in the
    # user's configuration folder, not beside the program.
    ejecutar(${_prefijo}/${BIN}/Varnolt ${_agenda} --captura TFormVarnolt ${_trabajo}/ventana.png)
    set(_arq_usuario "${_home}/Documents/quillmere/Orbelune arquetipos/quillmere_C1_001_v.1.0.arq")
    foreach(_archivo ${_trabajo}/ventana.png ${_home}/.config/Varnolt/Varnolt.ini "${_arq_usuario}")
        if(NOT EXISTS "${_archivo}")
            fallo("the window did not write ${_archivo}")
        endif()
    endforeach()
    file(GLOB _junto ${_prefijo}/${PROGRAMAS}/*.ini)
    if(_junto)
        fallo("settings written beside the installed program: ${_junto}")
    endif()
endif()
