#!/bin/sh
# Formats every C++ file of the tree with the committed .clang-format.
cd "$(dirname "$0")/.." || exit 1
scripts/fuentes_cpp.sh | xargs clang-format -i
