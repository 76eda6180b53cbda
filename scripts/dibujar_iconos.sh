#!/usr/bin/env bash
# Draws the nine 16x16 toolbar images of the main window into forms/iconos/ with
# ImageMagick drawing primitives, so the images are ours and can be redrawn at will.
# Usage: scripts/dibujar_iconos.sh   (needs /usr/bin/convert from ImageMagick)
set -euo pipefail
cd "$(dirname "$0")/.."
destino=forms/iconos
mkdir -p "$destino"
CONVERT=/usr/bin/convert

# dibujar NOMBRE PRIMITIVAS...: a transparent 16x16 canvas, the primitives, a PNG without
# time stamps so that redrawing gives the same bytes.
dibujar() {
  local nombre=$1; shift
  "$CONVERT" -size 16x16 xc:none +antialias "$@" \
    -strip -define png:exclude-chunks=date,time -define png:color-type=6 \
    "PNG32:$destino/$nombre.png"
}

# Open: a yellow folder with its flap lifted.
dibujar abrir \
  -fill '#c8a040' -stroke '#705010' -draw 'rectangle 1,4 12,13' \
  -fill '#c8a040' -draw 'rectangle 1,3 5,4' \
  -fill '#f0d070' -stroke '#705010' -draw 'polygon 3,7 15,7 12,13 1,13'

# Save: a blue floppy disk with its label and shutter.
dibujar guardar \
  -fill '#3060b0' -stroke '#102050' -draw 'rectangle 1,1 14,14' \
  -fill white -stroke none -draw 'rectangle 4,2 11,7' \
  -fill '#c0c0c0' -draw 'rectangle 5,10 11,14' \
  -fill '#3060b0' -draw 'rectangle 9,11 10,13'

# Print: a grey printer with a sheet coming out on top.
dibujar imprimir \
  -fill white -stroke '#404040' -draw 'rectangle 4,1 11,6' \
  -fill '#a0a0a0' -stroke '#404040' -draw 'rectangle 1,6 14,12' \
  -fill white -stroke '#404040' -draw 'rectangle 4,10 11,14' \
  -stroke none -fill '#20a020' -draw 'point 12,8'

# Clear the tape: a sheet of paper crossed out in red.
dibujar borrar \
  -fill white -stroke '#404040' -draw 'rectangle 3,1 12,14' \
  -stroke '#808080' -draw 'line 5,4 10,4' -draw 'line 5,6 10,6' -draw 'line 5,8 10,8' \
  -stroke '#d02020' -strokewidth 2 -draw 'line 2,3 13,13' -draw 'line 13,3 2,13'

# Copy: two overlapping sheets.
dibujar copiar \
  -fill white -stroke '#404040' -draw 'rectangle 1,1 9,11' \
  -stroke '#808080' -draw 'line 3,4 7,4' -draw 'line 3,6 7,6' \
  -fill white -stroke '#404040' -draw 'rectangle 6,4 14,14' \
  -stroke '#3060b0' -draw 'line 8,7 12,7' -draw 'line 8,9 12,9' -draw 'line 8,11 12,11'

# Properties: a sheet of option boxes, two of them ticked.
dibujar propiedades \
  -fill white -stroke '#404040' -draw 'rectangle 1,1 14,14' \
  -fill none -stroke '#404040' -draw 'rectangle 3,3 5,5' -draw 'rectangle 3,7 5,9' -draw 'rectangle 3,11 5,13' \
  -stroke '#20a020' -draw 'line 3,4 4,5' -draw 'line 4,5 6,2' -draw 'line 3,8 4,9' -draw 'line 4,9 6,6' \
  -stroke '#808080' -draw 'line 7,4 12,4' -draw 'line 7,8 12,8' -draw 'line 7,12 12,12'

# About: a blue disc with a white "i".
dibujar acercade \
  -fill '#2060c0' -stroke '#103070' -draw 'circle 7.5,7.5 7.5,0.5' \
  -fill white -stroke none -draw 'rectangle 7,3 8,4' -draw 'rectangle 7,6 8,12' -draw 'rectangle 6,12 9,12'

# Help: a green disc with a white question mark.
dibujar ayuda \
  -fill '#209040' -stroke '#105020' -draw 'circle 7.5,7.5 7.5,0.5' \
  -fill white -stroke none \
  -draw 'rectangle 5,3 10,4' -draw 'rectangle 10,4 11,7' -draw 'rectangle 7,7 10,8' \
  -draw 'rectangle 7,9 8,9' -draw 'rectangle 7,11 8,12' -draw 'point 5,5' -draw 'point 4,5'

# Close the side panel: a red square with a white cross.
dibujar cerrar \
  -fill '#c03030' -stroke '#701010' -draw 'rectangle 1,1 14,14' \
  -stroke white -strokewidth 2 -draw 'line 4,4 11,11' -draw 'line 11,4 4,11'

echo "Dibujadas: $(ls "$destino" | tr '\n' ' ')"
