#!/usr/bin/env bash
# Renders the program's icon, forms/icono/sumadora.svg, into the PNG sizes of the hicolor theme
# (forms/icono/sumadora-N.png). 16 pixels come from sumadora-16.svg, the same machine
# drawn on the pixel grid, which stays readable where the full drawing would blur.
# Usage: scripts/dibujar_icono_programa.sh   (needs rsvg-convert from librsvg2-bin)
set -euo pipefail
cd "$(dirname "$0")/../forms/icono"
for tam in 16 24 32 48 64 128 256; do
  origen=sumadora.svg
  [ "$tam" -eq 16 ] && origen=sumadora-16.svg
  rsvg-convert --width "$tam" --height "$tam" "$origen" --output "sumadora-$tam.png"
done
echo "Dibujados: $(ls sumadora-*.png | tr '\n' ' ')"
