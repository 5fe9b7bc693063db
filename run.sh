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

# The bundled sample archetype file goes into the archetype folder when that
# folder holds no file of that name; a file that is there is never replaced.
carpeta_arq=$(build/bin/varnolt-cli carpeta-arquetipos)
if [ -n "$carpeta_arq" ] && [ ! -e "$carpeta_arq/quillmere_C1_001_v.1.0.arq" ]; then
    mkdir -p "$carpeta_arq"
    cp -n build/bin/arquetipos/quillmere_C1_001_v.1.0.arq "$carpeta_arq/"
    echo "Archivo de arquetipos de muestra copiado en $carpeta_arq"
fi

agendas=("$@")
[ ${#agendas[@]} -gt 0 ] || agendas=("data/muestra_2024.csv")

# The window needs a display; without one, the same analysis as text.
if [ -x build/bin/Varnolt ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
    exec build/bin/Varnolt "${agendas[@]}"
fi
if [ ! -x build/bin/Varnolt ]; then
    echo "La ventana de Varnolt no está compilada (VARNOLT_GUI=OFF); resumen en texto:" >&2
else
    echo "No hay pantalla (ni DISPLAY ni WAYLAND_DISPLAY): no se puede abrir la ventana;" \
         "resumen en texto con build/bin/varnolt-cli resumen:" >&2
fi
exec build/bin/varnolt-cli resumen "${agendas[@]}"
