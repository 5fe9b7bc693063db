add_executable(transitos_bench ${CMAKE_CURRENT_LIST_DIR}/transitos_bench.cpp)
target_link_libraries(transitos_bench PRIVATE varnolt_core)
