# SPDX-License-Identifier: AGPL-3.0-or-later
# Every source file of the tree names Varnolt's licence in its first line:
#
#   C and C++ (.c .cc .cpp .cxx .h .hh .hpp .hxx)
#       // SPDX-License-Identifier: AGPL-3.0-or-later
#   CMake (CMakeLists.txt, .cmake), shell (.sh, or a first line "#!" naming
#   sh or bash), Python (.py)
#       # SPDX-License-Identifier: AGPL-3.0-or-later
#
# exactly so, as the first line, or as the second when the first is a "#!"
# line. The files are those git tracks; without git or outside a checkout the
# test ends with "OMITIDA" (marked skipped) saying why.
#
#   cmake -DFUENTES=SOURCE_TREE [-DGIT=/usr/bin/git] -P LineasLicencia.cmake
cmake_minimum_required(VERSION 3.25)

set(_identificador "SPDX-License-Identifier: AGPL-3.0-or-later")
if(NOT GIT)
    message("OMITIDA: git no está instalado: no se pueden listar los archivos de ${FUENTES}")
    return()
endif()
execute_process(COMMAND ${GIT} -C ${FUENTES} ls-files
                RESULT_VARIABLE _codigo OUTPUT_VARIABLE _archivos ERROR_VARIABLE _error)
if(NOT _codigo EQUAL 0)
    string(STRIP "${_error}" _error)
    message("OMITIDA: ${FUENTES} no es una copia de git (${_error})")
    return()
endif()
string(REGEX REPLACE "\n$" "" _archivos "${_archivos}")
string(REPLACE ";" "\\;" _archivos "${_archivos}")
string(REPLACE "\n" ";" _archivos "${_archivos}")

set(_sin_linea)
set(_revisados 0)
foreach(_archivo IN LISTS _archivos)
    set(_ruta "${FUENTES}/${_archivo}")
    if(IS_SYMLINK "${_ruta}" OR NOT EXISTS "${_ruta}")
        continue()
    endif()
    file(READ "${_ruta}" _inicio LIMIT 512)
    # The first line (a file may be empty or start with a blank line).
    string(FIND "${_inicio}" "\n" _fin)
    if(_fin EQUAL -1)
        set(_primera "${_inicio}")
    else()
        string(SUBSTRING "${_inicio}" 0 ${_fin} _primera)
    endif()
    if(_archivo MATCHES "\\.(c|cc|cpp|cxx|h|hh|hpp|hxx)$")
        set(_esperada "// ${_identificador}")
    elseif(_archivo MATCHES "(^|/)CMakeLists\\.txt$|\\.(cmake|sh|py)$"
           OR _primera MATCHES "^#!.*[/ ](ba)?sh$")
        set(_esperada "# ${_identificador}")
    else()
        continue()
    endif()
    math(EXPR _revisados "${_revisados} + 1")
    # The first line, or the second after a "#!" line.
    if(_primera MATCHES "^#!")
        math(EXPR _desde "${_fin} + 1")
        string(SUBSTRING "${_inicio}" ${_desde} -1 _resto)
        string(FIND "${_resto}" "\n" _fin)
        string(SUBSTRING "${_resto}" 0 ${_fin} _linea)
    else()
        set(_linea "${_primera}")
    endif()
    if(NOT _linea STREQUAL _esperada)
        list(APPEND _sin_linea "${_archivo}")
    endif()
endforeach()

if(_revisados EQUAL 0)
    message(FATAL_ERROR "no source file found in ${FUENTES}")
endif()
if(_sin_linea)
    list(LENGTH _sin_linea _cuantos)
    list(JOIN _sin_linea "\n  " _lista)
    message(FATAL_ERROR "${_cuantos} of ${_revisados} source files do not start with their "
                        "licence line (\"// ${_identificador}\" in C and C++, "
                        "\"# ${_identificador}\" in CMake, shell and Python; after the "
                        "\"#!\" line where there is one):\n  ${_lista}")
endif()
message("${_revisados} source files name their licence")
