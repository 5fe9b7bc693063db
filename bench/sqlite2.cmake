# SPDX-License-Identifier: AGPL-3.0-or-later
# The read-only SQLite 2.8 engine: the fixtures' term tables and a large table.
if(NOT TARGET benchmark::benchmark)
    find_package(benchmark REQUIRED)
endif()
add_executable(sqlite2_bench ${CMAKE_CURRENT_LIST_DIR}/sqlite2_bench.cpp)
target_link_libraries(sqlite2_bench PRIVATE sqlite2_engine sqlite2 benchmark::benchmark)
target_compile_definitions(sqlite2_bench PRIVATE VARNOLT_FIXTURES="${VARNOLT_FIXTURES}")
