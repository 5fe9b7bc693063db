# SPDX-License-Identifier: AGPL-3.0-or-later
# varnolt-arq: writes archetype files (SQLite 2.8) from SQL source and dumps
# them back, reading with the project's engine.
add_executable(varnolt-arq
    ${CMAKE_CURRENT_LIST_DIR}/arq/main.cpp
    ${CMAKE_CURRENT_LIST_DIR}/arq/Volcado.cpp
)
target_link_libraries(varnolt-arq PRIVATE varnolt_sqlite2_writer sqlite2_engine varnolt_core)

# The bundled sample archetype file, made from its SQL source at build time:
# <build>/bin/arquetipos/quillmere_C1_001_v.1.0.arq
set(VARNOLT_ARQ_MUESTRA_FUENTE ${PROJECT_SOURCE_DIR}/data/arquetipos/quillmere_C1_001_v.1.0.sql)
set(VARNOLT_ARQ_MUESTRA_DIR ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/arquetipos)
set(VARNOLT_ARQ_MUESTRA ${VARNOLT_ARQ_MUESTRA_DIR}/quillmere_C1_001_v.1.0.arq)
add_custom_command(
    OUTPUT ${VARNOLT_ARQ_MUESTRA}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${VARNOLT_ARQ_MUESTRA_DIR}
    COMMAND varnolt-arq crear ${VARNOLT_ARQ_MUESTRA} ${VARNOLT_ARQ_MUESTRA_FUENTE}
    DEPENDS varnolt-arq ${VARNOLT_ARQ_MUESTRA_FUENTE}
    COMMENT "Generando arquetipos/quillmere_C1_001_v.1.0.arq"
    VERBATIM)
add_custom_target(varnolt_arquetipos_muestra ALL DEPENDS ${VARNOLT_ARQ_MUESTRA})

install(TARGETS varnolt-arq RUNTIME DESTINATION ${VARNOLT_INSTALL_PROGRAMAS})
# Installed in share/varnolt/; the window copies it into the user's archetype
# folder when that folder holds no archetype file.
install(FILES ${VARNOLT_ARQ_MUESTRA} DESTINATION ${VARNOLT_INSTALL_DATOS})
