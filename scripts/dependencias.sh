#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running Sumadora need,
# only those that are missing. Sourced by the other scripts.
set -euo pipefail

PAQUETES=(g++ cmake ninja-build ccache qt6-base-dev qt6-translations-l10n libgtest-dev
  libbenchmark-dev zlib1g-dev libpng-dev fonts-liberation2 fonts-dejavu-core
  xvfb xauth xdotool xclip x11-xkb-utils x11-utils openbox weston xwayland imagemagick
  poppler-utils
  dpkg-dev lintian desktop-file-utils appstream shared-mime-info xdg-utils libglib2.0-bin
  librsvg2-bin python3 clang libclang-rt-14-dev libxcb-damage0-dev libxcb1-dev clang-format lcov
  mutter dbus-daemon)

instalar_dependencias() {
  local faltan=()
  for p in "${PAQUETES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || faltan+=("$p")
  done
  [ ${#faltan[@]} -eq 0 ] && return 0
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "Instalando paquetes: ${faltan[*]}"
  $sudo apt-get -o DPkg::Lock::Timeout=600 update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get -o DPkg::Lock::Timeout=600 install -y \
    --no-install-recommends "${faltan[@]}"
}

# configurar DIR [cmake options...]: configures a Ninja build in DIR.
configurar() {
  local dir=$1; shift
  local lanzador=()
  command -v ccache >/dev/null && lanzador=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S . -B "$dir" -G Ninja "${lanzador[@]}" "$@" >/dev/null
}
