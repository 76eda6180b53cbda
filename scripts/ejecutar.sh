#!/usr/bin/env bash
# Builds Sumadora in build/ and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/dependencias.sh
instalar_dependencias
configurar build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target Sumadora
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "No hay pantalla gráfica (DISPLAY vacío): ejecute 'xvfb-run -a scripts/ejecutar.sh' o inicie una sesión gráfica." >&2
  exit 1
fi
exec build/Sumadora_Unidad_Principal/Sumadora
