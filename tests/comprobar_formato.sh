#!/bin/sh
# Fails, naming the files, when a C++ file of the tree differs from what .clang-format makes of it.
cd "$(dirname "$0")/.." || exit 1
command -v clang-format >/dev/null || { echo "Falta clang-format (scripts/dependencias.sh lo instala)."; exit 1; }
salida=$(scripts/fuentes_cpp.sh | xargs clang-format --dry-run -Werror 2>&1) && exit 0
printf '%s\n' "$salida" | grep -o '^[^: ]*\.\(cpp\|h\):' | sort -u
echo "Archivos sin formato: ejecute scripts/formatear.sh."
exit 1
