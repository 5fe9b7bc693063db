#!/usr/bin/env bash
# SPDX-License-Identifier: AGPL-3.0-or-later
# What run.sh and test.sh share: the Debian 12 packages Varnolt builds, runs
# and tests with, installed when missing, and the steps they print. Sourced.
#
# Each step prints one line; the output of apt-get and of CMake's configure
# step goes to a log file in build/logs/, printed (its end and its path) only
# when the step fails. The build and the tests show their own progress.

VARNOLT_REGISTROS="${VARNOLT_REGISTROS:-build/logs}"

# The packages of the build and of the window at run time.
VARNOLT_PAQUETES=(cmake make g++ pkg-config qt6-base-dev libgl-dev libswe-dev swe-basic-data
                  qt6-translations-l10n fonts-dejavu-core dpkg-dev)
# What the tests, the benchmarks and the fuzz targets add (lintian checks the
# Debian package; git lists the sources whose licence line is checked;
# locales makes the Spanish locale the loader is tested under).
VARNOLT_PAQUETES_PRUEBAS=(libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev
                          xvfb xauth desktop-file-utils appstream swetest lintian git locales)

varnolt_paso() {
    echo "$*"
}

varnolt_falla() {
    echo "Error: $*" >&2
    exit 1
}

# Runs a command with its output in a log file; on failure shows the log's
# end and where the whole of it is, and ends the script.
varnolt_con_registro() {
    local registro=$1
    shift
    mkdir -p "$(dirname "$registro")"
    if ! "$@" >"$registro" 2>&1; then
        echo "Error: falló «$*». Final del registro:" >&2
        tail -n 25 "$registro" >&2
        echo "Registro completo: $(realpath "$registro")" >&2
        exit 1
    fi
}

# varnolt_install_deps [PACKAGE...]: the packages of the build plus the
# given ones, installed with apt-get when any is missing (one dpkg-query
# for all: fast when nothing is missing).
varnolt_install_deps() {
    local wanted=("${VARNOLT_PAQUETES[@]}" "$@")
    local missing=()
    local p
    declare -A instalado=()
    while read -r p estado; do
        [ "$estado" = "installed" ] && instalado[$p]=1
    done < <(dpkg-query -W -f='${Package} ${db:Status-Status}\n' "${wanted[@]}" 2>/dev/null)
    for p in "${wanted[@]}"; do
        [ -n "${instalado[$p]:-}" ] || missing+=("$p")
    done
    [ ${#missing[@]} -gt 0 ] || return 0

    varnolt_paso "Instalando paquetes… (${missing[*]})"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null ||
            varnolt_falla "faltan paquetes (${missing[*]}) y no hay sudo: instálelos como root"
        sudo=(sudo)
    fi
    local registro="$VARNOLT_REGISTROS/paquetes.log"
    varnolt_con_registro "$registro" "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
        sh -c 'apt-get update && apt-get install -y --no-install-recommends "$@"' apt \
        "${missing[@]}"
}

# varnolt_locale_es: the Spanish locale es_ES.UTF-8 the tests read agendas
# under, generated when the system lacks it (needs the package locales).
varnolt_locale_es() {
    locale -a 2>/dev/null | grep -qix 'es_ES.utf-\?8' && return 0
    varnolt_paso "Generando la configuración regional es_ES.UTF-8…"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    varnolt_con_registro "$VARNOLT_REGISTROS/locale.log" \
        "${sudo[@]}" localedef -i es_ES -f UTF-8 es_ES.UTF-8
}

varnolt_jobs() {
    nproc 2>/dev/null || echo 2
}

# varnolt_configurar FOLDER [CMAKE OPTION...]: CMake's configure step when
# FOLDER has not been configured yet (a build folder that is there
# reconfigures itself when a CMakeLists changes); with --siempre first, every
# time (to apply the options again).
varnolt_configurar() {
    local siempre=0
    if [ "$1" = "--siempre" ]; then
        siempre=1
        shift
    fi
    local carpeta=$1
    shift
    if [ $siempre -eq 0 ] && [ -f "$carpeta/CMakeCache.txt" ]; then
        return 0
    fi
    varnolt_paso "Configurando $carpeta…"
    varnolt_con_registro "$VARNOLT_REGISTROS/configurar-$(basename "$carpeta").log" \
        cmake -S . -B "$carpeta" "$@"
}

# varnolt_compilar FOLDER [TARGET...]: the build, with its own progress.
varnolt_compilar() {
    local carpeta=$1
    shift
    local objetivos=()
    [ $# -eq 0 ] || objetivos=(--target "$@")
    varnolt_paso "Compilando $carpeta…"
    cmake --build "$carpeta" -j "$(varnolt_jobs)" "${objetivos[@]}" ||
        varnolt_falla "la compilación de $carpeta falló (los mensajes están arriba)"
}
