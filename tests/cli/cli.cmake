# SPDX-License-Identifier: AGPL-3.0-or-later
varnolt_test(cli_tests
    ${CMAKE_CURRENT_LIST_DIR}/ArquetiposCliTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ResumenTest.cpp
)
add_dependencies(cli_tests sqlite2)
target_link_libraries(cli_tests PRIVATE varnolt_cli)
