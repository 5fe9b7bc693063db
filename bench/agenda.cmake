# SPDX-License-Identifier: AGPL-3.0-or-later
add_library(varnolt_generador STATIC ${CMAKE_CURRENT_LIST_DIR}/GeneradorAgenda.cpp)
target_link_libraries(varnolt_generador PUBLIC varnolt_core)
target_include_directories(varnolt_generador PUBLIC ${CMAKE_CURRENT_LIST_DIR})

add_executable(varnolt-generar ${CMAKE_CURRENT_LIST_DIR}/generar_main.cpp)
target_link_libraries(varnolt-generar PRIVATE varnolt_generador)

add_executable(agenda_bench ${CMAKE_CURRENT_LIST_DIR}/agenda_bench.cpp)
target_link_libraries(agenda_bench PRIVATE varnolt_generador)

add_executable(leer_sumar ${CMAKE_CURRENT_LIST_DIR}/leer_sumar.cpp)
add_dependencies(agenda_bench leer_sumar varnolt-cli)
