# SPDX-License-Identifier: AGPL-3.0-or-later
add_executable(export_bench ${CMAKE_CURRENT_LIST_DIR}/export_bench.cpp)
target_link_libraries(export_bench PRIVATE varnolt_generador)
