# SPDX-License-Identifier: AGPL-3.0-or-later
# gui_bench: clicks through the real window on a large agenda (offscreen).
find_package(Qt6 REQUIRED COMPONENTS Widgets Test)
add_executable(gui_bench ${CMAKE_CURRENT_LIST_DIR}/gui_bench.cpp)
target_link_libraries(gui_bench PRIVATE varnolt_gui varnolt_generador Qt6::Test)
