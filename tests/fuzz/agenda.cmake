# SPDX-License-Identifier: AGPL-3.0-or-later
# The agenda line reader.
add_executable(agenda_fuzz ${CMAKE_CURRENT_LIST_DIR}/agenda_fuzz.cpp)
target_link_libraries(agenda_fuzz PRIVATE varnolt_core)
target_link_options(agenda_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)

# A short fixed run on a copy of the seeds (the fuzzer writes into its corpus).
set(_corpus ${CMAKE_CURRENT_BINARY_DIR}/corpus_agenda)
add_test(NAME agenda_fuzz_corto
         COMMAND ${CMAKE_COMMAND} -E env UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
                 sh -c "rm -rf '${_corpus}' && mkdir -p '${_corpus}' && cp '${CMAKE_CURRENT_LIST_DIR}'/semillas_agenda/* '${_corpus}'/ && '$<TARGET_FILE:agenda_fuzz>' -runs=100000 -max_len=4096 -seed=1 '${_corpus}'")
