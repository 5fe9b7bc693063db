# SPDX-License-Identifier: AGPL-3.0-or-later
# The settings file, the program's start-up and exit steps, and where the
# program finds its own files.
find_path(VARNOLT_SWE_INCLUDE swephexp.h REQUIRED)
find_library(VARNOLT_SWE_LIB swe REQUIRED)

target_sources(varnolt_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/ArchivoIni.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Carpetas.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Configuracion.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DatosPrograma.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Instalacion.cpp
)
# The installed data folder as the programs' folder sees it (cmake/Carpetas.cmake).
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/Instalacion.cpp
    TARGET_DIRECTORY varnolt_core
    PROPERTIES COMPILE_DEFINITIONS "VARNOLT_DATOS_DESDE_PROGRAMAS=\"${VARNOLT_DATOS_DESDE_PROGRAMAS}\"")
target_include_directories(varnolt_core PRIVATE ${VARNOLT_SWE_INCLUDE})
target_link_libraries(varnolt_core PUBLIC ${VARNOLT_SWE_LIB})
