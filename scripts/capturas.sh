#!/usr/bin/env bash
# SPDX-License-Identifier: AGPL-3.0-or-later
# Screenshots of the Varnolt window under a real X server (Xvfb):
#   scripts/capturas.sh [CARPETA]     (default: capturas/)
# Loads the sample agenda and saves the main window, the main window with
# "Tend." down and with "Arq." down, the main window on a 1280x720 screen,
# every tool window, the contacts window with a day chosen, the message,
# progress and notice windows (the program's hidden --pulsar/--captura options
# grab the window itself), the whole screen with the tooltip of a natal bar
# in the "Arq." view, and a picture of the whole X screen taken with
# ImageMagick's import while the program shows its loading report; and the
# About box, the first view with nothing loaded, and the whole of a 1280x720
# screen with each tool window open in turn.
# VARNOLT_BUILD names the build folder (default: build).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
varnolt_install_deps xvfb xauth imagemagick
build=${VARNOLT_BUILD:-build}
if [ -z "${VARNOLT_BUILD:-}" ]; then
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$build" -j "$(varnolt_jobs)" --target Varnolt >/dev/null
fi
programa="$build/bin/Varnolt"
salida=${1:-capturas}
mkdir -p "$salida"
agenda=data/muestra_2024.csv
pantalla="-screen 0 1400x860x24"

captura() {  # captura ARCHIVO [--OPCION VALOR]... VENTANA  (the screen: $pantalla)
    local archivo=$1
    shift
    local args=()
    while [ $# -gt 1 ]; do
        if [ "$1" = --ayuda ]; then  # --ayuda WIDGET X,Y
            args+=("$1" "$2" "$3")
            shift 3
        else
            args+=("$1" "$2")
            shift 2
        fi
    done
    xvfb-run -a -s "$pantalla" "$programa" "$agenda" "${args[@]}" \
        --captura "$1" "$salida/$archivo" >/dev/null
    echo "$salida/$archivo"
}

captura principal.png TFormVarnolt
captura principal_tend.png --pulsar SBViewTends TFormVarnolt
captura principal_arq.png --pulsar SBViewArq TFormVarnolt
captura principal_febrero.png --pulsar SBPer9 TFormVarnolt
captura TWDetalleFechas.png --pulsar SBViewFechas TWDetalleFechas
captura TWDetalleFechas_picos.png --pulsar SBViewFechas --pulsar RGTipoFecha1 TWDetalleFechas
captura TWGraphRange.png --pulsar SBGP TWGraphRange
captura TWGraphRange_febrero.png --pulsar SBPer9 --pulsar SBGP TWGraphRange
captura TWDetalleContactos.png --pulsar SBViewContacto TWDetalleContactos
captura TWDetalleContactos_dia.png --fecha 2024-03-20 --pulsar SBViewContacto TWDetalleContactos
pantalla="-screen 0 1280x720x24" captura principal_1280x720.png TFormVarnolt
# The natal chart of the "Arq." view has no room for every label: resting
# the mouse on a bar shows its label and value.
captura principal_arq_ayuda.png --pulsar SBViewArq --ayuda ChartItemNat "${VARNOLT_PUNTO_AYUDA:-118,60}" \
    Pantalla
captura TWLumbrisk.png --pulsar SBLoadTerms TWLumbrisk
captura TWPromptContacts.png --pulsar SBTAView TWPromptContacts
captura TWCSV.png TWCSV
captura TFormMSG.png TFormMSG
captura TFormStepCount.png TFormStepCount
captura TFormAviso.png TFormAviso
captura DialogoCarta.png DialogoCarta
captura AcercaDeVarnolt.png AcercaDeVarnolt

# The first view: nothing loaded.
xvfb-run -a -s "$pantalla" "$programa" --captura TFormVarnolt "$salida/inicio_vacio.png" >/dev/null
echo "$salida/inicio_vacio.png"

# A 1280x720 screen with each tool window open in turn (Data CSV opened from
# the contact-ranges window after "Detallar").
pantalla="-screen 0 1280x720x24"
for par in SBViewContacto:TWDetalleContactos SBViewFechas:TWDetalleFechas SBGP:TWGraphRange \
    SBLoadTerms:TWLumbrisk SBTAView:TWPromptContacts; do
    captura "pantalla_1280x720_${par#*:}.png" --pulsar "${par%%:*}" Pantalla
done
captura pantalla_1280x720_TWCSV.png --pulsar SBTAView --pulsar SBCalcTA --pulsar SBPromptCSV \
    Pantalla
pantalla="-screen 0 1400x860x24"

# The whole X screen while the program waits on its loading report.
xvfb-run -a -s "$pantalla" bash -c '
    "$1" "$2" & pid=$!
    sleep "${3:-4}"
    import -window root "$4"
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
' _ "$programa" "$agenda" "${VARNOLT_ESPERA:-4}" "$salida/pantalla.png"
echo "$salida/pantalla.png"
