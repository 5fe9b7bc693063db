# The settings file and the program's start-up and exit steps.
find_path(VARNOLT_SWE_INCLUDE swephexp.h REQUIRED)
find_library(VARNOLT_SWE_LIB swe REQUIRED)

target_sources(varnolt_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/ArchivoIni.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Carpetas.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Configuracion.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DatosPrograma.cpp
)
target_include_directories(varnolt_core PRIVATE ${VARNOLT_SWE_INCLUDE})
target_link_libraries(varnolt_core PUBLIC ${VARNOLT_SWE_LIB})
