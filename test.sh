#!/usr/bin/env bash
# SPDX-License-Identifier: AGPL-3.0-or-later
# Builds Varnolt and runs every test: the normal build, the core again under
# AddressSanitizer and UndefinedBehaviorSanitizer, and the fuzz targets for a
# short fixed number of runs. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
varnolt_install_deps "${VARNOLT_PAQUETES_PRUEBAS[@]}"
varnolt_locale_es
jobs=$(varnolt_jobs)

# ejecutar_pruebas FOLDER [ENV...]: ctest over the folder, with its output.
ejecutar_pruebas() {
    local carpeta=$1
    shift
    varnolt_paso "Ejecutando pruebas de $carpeta…"
    env "$@" ctest --test-dir "$carpeta" --output-on-failure -j "$jobs" ||
        varnolt_falla "fallaron pruebas de $carpeta (los detalles están arriba)"
}

varnolt_paso "== 1/3 Compilación normal y pruebas"
varnolt_configurar --siempre build -DCMAKE_BUILD_TYPE=RelWithDebInfo
varnolt_compilar build
ejecutar_pruebas build QT_QPA_PLATFORM=offscreen

varnolt_paso "== 2/3 El núcleo con AddressSanitizer y UndefinedBehaviorSanitizer"
varnolt_configurar --siempre build-asan -DCMAKE_BUILD_TYPE=Debug -DVARNOLT_SANITIZE=ON \
    -DVARNOLT_GUI=OFF -DVARNOLT_BENCH=OFF
varnolt_compilar build-asan
ejecutar_pruebas build-asan ASAN_OPTIONS=detect_leaks=1 \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

varnolt_paso "== 3/3 Objetivos de fuzzing (ejecuciones cortas)"
varnolt_configurar --siempre build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARNOLT_FUZZ=ON \
    -DVARNOLT_GUI=OFF -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
varnolt_compilar build-fuzz
ejecutar_pruebas build-fuzz

varnolt_paso "== Todas las pruebas pasaron"
