# SPDX-License-Identifier: AGPL-3.0-or-later
add_executable(transitos_bench ${CMAKE_CURRENT_LIST_DIR}/transitos_bench.cpp)
target_link_libraries(transitos_bench PRIVATE varnolt_core)
add_executable(panel_bench ${CMAKE_CURRENT_LIST_DIR}/panel_bench.cpp)
target_link_libraries(panel_bench PRIVATE varnolt_core)
