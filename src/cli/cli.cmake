# SPDX-License-Identifier: AGPL-3.0-or-later
add_library(varnolt_cli STATIC
    ${CMAKE_CURRENT_LIST_DIR}/ComandoArquetipos.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ComandoResumen.cpp
    ${CMAKE_CURRENT_LIST_DIR}/OpcionesAnalisis.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ComandoRangos.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ComandoCsv.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ComandoAgenda.cpp
)
target_link_libraries(varnolt_cli PUBLIC varnolt_core)
if(EXISTS ${CMAKE_CURRENT_LIST_DIR}/ComandoConfig.cpp)
    target_sources(varnolt_cli PRIVATE ${CMAKE_CURRENT_LIST_DIR}/ComandoConfig.cpp)
    target_compile_definitions(varnolt_cli PUBLIC VARNOLT_CON_CONFIG)
endif()

add_executable(varnolt-cli ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
target_link_libraries(varnolt-cli PRIVATE varnolt_cli)
# varnolt-cli loads the SQLite 2 engine from bin/dll.
add_dependencies(varnolt-cli sqlite2)
install(TARGETS varnolt-cli RUNTIME DESTINATION ${VARNOLT_INSTALL_PROGRAMAS})
