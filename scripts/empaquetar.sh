#!/usr/bin/env bash
# Builds Sumadora's Debian package into dist/: the program alone, in build-paquete/, with
# Debian's hardening flags and the /usr prefix, then CPack's DEB generator.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/dependencias.sh
instalar_dependencias
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
configurar build-paquete -DCMAKE_BUILD_TYPE=Release -DSUMADORA_BENCH=OFF \
  -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
  "-DCMAKE_CXX_FLAGS=$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  "-DCMAKE_EXE_LINKER_FLAGS=$(dpkg-buildflags --get LDFLAGS)"
cmake --build build-paquete --target Sumadora
mkdir -p dist
cpack -G DEB --config build-paquete/CPackConfig.cmake -B dist >/dev/null
rm -rf dist/_CPack_Packages
ls dist/sumadora_*.deb
