# SPDX-License-Identifier: AGPL-3.0-or-later
# varnolt-cli rangos and csv (the exports), run as functions.
varnolt_test(export_cli_tests
    ${CMAKE_CURRENT_LIST_DIR}/exportCliTest.cpp
)
target_link_libraries(export_cli_tests PRIVATE varnolt_cli)
# The archetype files are read through the SQLite 2 engine in bin/dll.
add_dependencies(export_cli_tests sqlite2)
if(TARGET varnolt_arquetipos_muestra)
    add_dependencies(export_cli_tests varnolt_arquetipos_muestra)
endif()
