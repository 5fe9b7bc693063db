# SPDX-License-Identifier: AGPL-3.0-or-later
# The read-only SQLite 2.8 engine: whole database images opened in memory.
add_executable(sqlite2_fuzz ${CMAKE_CURRENT_LIST_DIR}/sqlite2_fuzz.cpp)
target_link_libraries(sqlite2_fuzz PRIVATE sqlite2_engine)
target_link_options(sqlite2_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)

# A short fixed run seeded with the .arq fixtures, copied first into a
# corpus folder of the build tree: the fuzzer writes into its corpus, and the
# fixture folder must stay untouched.
set(_sqlite2_corpus ${CMAKE_CURRENT_BINARY_DIR}/corpus_sqlite2)
add_test(NAME sqlite2_fuzz_corto
         COMMAND ${CMAKE_COMMAND} -E env UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
                 sh -c "rm -rf '${_sqlite2_corpus}' && mkdir -p '${_sqlite2_corpus}' && cp '${VARNOLT_FIXTURES}'/arq/*.arq '${_sqlite2_corpus}'/ && '$<TARGET_FILE:sqlite2_fuzz>' -runs=20000 -max_len=65536 -seed=1 -timeout=10 -rss_limit_mb=2048 '${_sqlite2_corpus}'")
