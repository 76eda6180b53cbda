#!/bin/sh
# Lists the project's own C++ files (the tree's, not the build folders'), one per line.
cd "$(dirname "$0")/.." || exit 1
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  git ls-files --cached --others --exclude-standard '*.cpp' '*.h'
else
  find . -path './build*' -prune -o \( -name '*.cpp' -o -name '*.h' \) -print | sed 's|^\./||'
fi
