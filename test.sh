#!/usr/bin/env bash
# Builds Varnolt and runs every test: the normal build, the core again under
# AddressSanitizer and UndefinedBehaviorSanitizer, and the fuzz targets for a
# short fixed number of runs. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
varnolt_install_deps xvfb xauth
jobs=$(varnolt_jobs)

echo "== Build and tests"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j "$jobs"

echo "== Core tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DVARNOLT_SANITIZE=ON -DVARNOLT_GUI=OFF \
    -DVARNOLT_BENCH=OFF >/dev/null
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-asan --output-on-failure -j "$jobs"

echo "== Fuzz targets (short runs)"
cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARNOLT_FUZZ=ON -DVARNOLT_GUI=OFF \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build-fuzz -j "$jobs"
ctest --test-dir build-fuzz --output-on-failure

echo "== Todas las pruebas pasaron"
