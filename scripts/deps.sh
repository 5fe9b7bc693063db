#!/usr/bin/env bash
# Installs the Debian 12 packages Varnolt builds and tests with, when missing.
# Sourced by run.sh and test.sh.
varnolt_install_deps() {
    local wanted=(cmake make g++ pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev
                  libbenchmark-dev libswe-dev swe-basic-data swetest clang libclang-rt-14-dev fonts-dejavu-core "$@")
    local missing=()
    local p
    for p in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Instalando paquetes: ${missing[*]}"
        local sudo=""
        [ "$(id -u)" -eq 0 ] || sudo="sudo"
        $sudo apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
            "${missing[@]}"
    fi
}

varnolt_jobs() {
    nproc 2>/dev/null || echo 2
}
