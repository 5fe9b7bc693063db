# SPDX-License-Identifier: AGPL-3.0-or-later
# End-to-end tests of varnolt-arq: the program is run as the user runs it.
varnolt_test(arq_tests
    ${CMAKE_CURRENT_LIST_DIR}/arq_herramienta.cpp
    ${PROJECT_SOURCE_DIR}/tests/sqlite2/writer/Verificador.cpp
)
target_include_directories(arq_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests/sqlite2/writer)
target_link_libraries(arq_tests PRIVATE sqlite2_engine varnolt_sqlite2_writer)
target_compile_definitions(arq_tests PRIVATE
    VARNOLT_ARQ="$<TARGET_FILE:varnolt-arq>"
    VARNOLT_ARQ_MUESTRA="${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/arquetipos/quillmere_C1_001_v.1.0.arq")
add_dependencies(arq_tests varnolt-arq varnolt_arquetipos_muestra)
