varnolt_test(cli_tests
    ${CMAKE_CURRENT_LIST_DIR}/ResumenTest.cpp
)
target_link_libraries(cli_tests PRIVATE varnolt_cli)
