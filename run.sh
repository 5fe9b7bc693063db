#!/usr/bin/env bash
# SPDX-License-Identifier: AGPL-3.0-or-later
# Builds Varnolt and starts it: ./run.sh [AGENDA...]
# With no agenda it opens the bundled sample. Without a display it prints the
# headless summary of the same agendas instead. Only the programs are built
# here (./test.sh builds the rest); a second run with nothing changed starts
# at once.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
varnolt_install_deps
varnolt_configurar build -DCMAKE_BUILD_TYPE=RelWithDebInfo

# The window (unless the build folder was configured without it), the
# command-line tool and the sample archetype file the window copies into a
# new user's archetype folder.
objetivos=(varnolt-cli varnolt_arquetipos_muestra)
ventana=0
if grep -q '^VARNOLT_GUI:BOOL=ON$' build/CMakeCache.txt; then
    objetivos+=(Varnolt)
    ventana=1
fi
varnolt_compilar build "${objetivos[@]}"

agendas=("$@")
[ ${#agendas[@]} -gt 0 ] || agendas=("data/muestra_2024.csv")

# The window needs a display; without one, the same analysis as text.
if [ $ventana -eq 1 ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
    varnolt_paso "Abriendo Varnolt…"
    exec build/bin/Varnolt "${agendas[@]}"
fi
if [ $ventana -eq 0 ]; then
    echo "La ventana de Varnolt no está compilada (VARNOLT_GUI=OFF); resumen en texto:" >&2
else
    echo "No hay pantalla (ni DISPLAY ni WAYLAND_DISPLAY): no se puede abrir la ventana;" \
         "resumen en texto con build/bin/varnolt-cli resumen:" >&2
fi
exec build/bin/varnolt-cli resumen "${agendas[@]}"
