# SPDX-License-Identifier: AGPL-3.0-or-later
# Builds the Debian package of a finished build with cpack, checks the
# documents it carries, and runs Debian's package checker, lintian, on it:
# no error and no warning may be left but those the package overrides with a
# reason.
#
#   cmake -DCOMPILACION=BUILD -DPRUEBA=FOLDER -DFUENTES=SOURCE_TREE
#         -DVERSION=X.Y.Z -DVENTANA=ON|OFF [-DLINTIAN=/usr/bin/lintian]
#         -P PruebaPaquete.cmake
#
# FOLDER is emptied first; it receives the package and its unpacked tree.
# Without lintian the package is built and checked, and the test ends with
# "OMITIDA" (marked skipped) saying why.
cmake_minimum_required(VERSION 3.25)

function(fallo)
    string(JOIN "" _texto ${ARGN})
    message(FATAL_ERROR "${_texto}")
endfunction()

file(REMOVE_RECURSE ${PRUEBA})
file(MAKE_DIRECTORY ${PRUEBA})

# The programs are already built: cpack only installs them into its own
# staging folder under FOLDER and packs them.
execute_process(COMMAND ${CMAKE_CPACK_COMMAND} -G DEB --config ${COMPILACION}/CPackConfig.cmake
                        -B ${PRUEBA}
                WORKING_DIRECTORY ${COMPILACION}
                RESULT_VARIABLE _codigo OUTPUT_VARIABLE _salida ERROR_VARIABLE _salida)
if(NOT _codigo EQUAL 0)
    fallo("cpack -G DEB failed:\n${_salida}")
endif()
file(GLOB _debs ${PRUEBA}/*.deb)
list(LENGTH _debs _cuantos)
if(NOT _cuantos EQUAL 1 OR NOT _debs MATCHES "/varnolt_${VERSION}_[a-z0-9]+\\.deb$")
    fallo("expected the one package varnolt_${VERSION}_ARCH.deb in ${PRUEBA}, found: ${_debs}")
endif()
list(GET _debs 0 _deb)

set(_arbol ${PRUEBA}/contenido)
execute_process(COMMAND dpkg-deb -x ${_deb} ${_arbol} RESULT_VARIABLE _codigo
                ERROR_VARIABLE _salida)
if(NOT _codigo EQUAL 0)
    fallo("dpkg-deb -x ${_deb} failed:\n${_salida}")
endif()

# The documents Debian wants in every package.
set(_doc ${_arbol}/usr/share/doc/varnolt)
set(_man ${_arbol}/usr/share/man/man1)
set(_esperados ${_doc}/copyright ${_doc}/changelog.gz ${_man}/varnolt-cli.1.gz
               ${_man}/varnolt-arq.1.gz ${_arbol}/usr/share/lintian/overrides/varnolt)
if(VENTANA)
    list(APPEND _esperados ${_man}/Varnolt.1.gz)
endif()
foreach(_archivo IN LISTS _esperados)
    if(NOT EXISTS ${_archivo})
        fallo("not in the package: ${_archivo}")
    endif()
endforeach()
file(GLOB _sin_comprimir ${_man}/*.1)
if(_sin_comprimir)
    fallo("uncompressed manual pages in the package: ${_sin_comprimir}")
endif()

# "gzip -9n": the header of every compressed document has no file name (flags
# 0), no time stamp (0) and the mark of the best compression (2), and it
# unpacks to its source.
file(GLOB _comprimidos ${_man}/*.gz ${_doc}/*.gz)
foreach(_gz IN LISTS _comprimidos)
    file(READ ${_gz} _cabecera LIMIT 10 HEX)
    if(NOT _cabecera MATCHES "^1f8b08000000000002")
        fallo("${_gz} is not compressed with gzip -9n (header ${_cabecera})")
    endif()
endforeach()
execute_process(COMMAND gzip -dc ${_doc}/changelog.gz OUTPUT_VARIABLE _changelog)
file(READ ${FUENTES}/data/debian/changelog _fuente)
if(NOT _changelog STREQUAL _fuente)
    fallo("changelog.gz does not hold data/debian/changelog")
endif()

# The copyright file carries the whole licence of LICENSE, in the format's
# indented form: back to plain text it is LICENSE to the byte.
file(READ ${_doc}/copyright _copyright)
string(FIND "${_copyright}" "\nLicense: AGPL-3+\n" _inicio)
string(FIND "${_copyright}" "\n                     GNU AFFERO GENERAL PUBLIC LICENSE\n" _texto)
if(_inicio EQUAL -1 OR _texto LESS _inicio)
    fallo("the copyright file has no AGPL-3+ licence paragraph with its text")
endif()
# From the newline before the title: every line then starts with "\n ".
string(SUBSTRING "${_copyright}" ${_texto} -1 _licencia)
foreach(_pasada 1 2)
    string(REPLACE "\n .\n" "\n \n" _licencia "${_licencia}")
endforeach()
string(REPLACE "\n " "\n" _licencia "${_licencia}")
string(SUBSTRING "${_licencia}" 1 -1 _licencia)
file(READ ${FUENTES}/LICENSE _original)
if(NOT _licencia STREQUAL _original)
    file(WRITE ${PRUEBA}/licencia_del_paquete.txt "${_licencia}")
    fallo("the licence in the copyright file differs from LICENSE: compare "
          "${PRUEBA}/licencia_del_paquete.txt with ${FUENTES}/LICENSE")
endif()

if(NOT LINTIAN)
    message("OMITIDA: lintian no está instalado (paquete lintian): "
            "el paquete se ha construido y comprobado, pero no con lintian")
    return()
endif()
# Errors and warnings fail; what the package overrides is not shown.
execute_process(COMMAND ${LINTIAN} --fail-on error,warning --tag-display-limit 0 ${_deb}
                RESULT_VARIABLE _codigo OUTPUT_VARIABLE _salida ERROR_VARIABLE _salida)
message("${_salida}")
if(NOT _codigo EQUAL 0 OR _salida MATCHES "(^|\n)[EW]: ")
    fallo("lintian finds errors or warnings in ${_deb} (above)")
endif()
