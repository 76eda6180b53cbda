#!/usr/bin/env bash
# Screenshots of the eight looks (plain look and the seven stored skins) into capturas/,
# under a virtual X display: a demo window with the controls the program's windows use,
# with a hint, the system menu and an edit box's menu open. The pictures are not committed.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/dependencias.sh
instalar_dependencias
configurar build-capturas -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSUMADORA_BENCH=OFF
cmake --build build-capturas --target capturas_skins
mkdir -p capturas
if [ -n "${DISPLAY:-}" ]; then
  build-capturas/herramientas/capturas_skins capturas
else
  xvfb-run -a -s "-screen 0 1400x900x24" build-capturas/herramientas/capturas_skins capturas
fi
