#!/usr/bin/env bash
# Builds Varnolt and starts it: ./run.sh [AGENDA...]
# With no agenda it opens the bundled sample. Without a display it prints the
# headless summary of the same agendas instead.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
varnolt_install_deps
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(varnolt_jobs)" >/dev/null

agendas=("$@")
[ ${#agendas[@]} -gt 0 ] || agendas=("data/muestra_2024.csv")

exec build/bin/varnolt-cli resumen "${agendas[@]}"
