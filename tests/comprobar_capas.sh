#!/bin/sh
# The layer check: $1 lists each logic library with everything it links; the other arguments
# are the logic tests' programs, which must not load the widget libraries either.
set -u
prohibidas='Qt6::(Widgets|Gui|PrintSupport)|libQt6(Widgets|Gui|PrintSupport)'
fallos=0
if grep -E "$prohibidas" "$1"; then
    echo "Una biblioteca lógica enlaza Qt Widgets, Gui o PrintSupport (arriba)."
    fallos=1
fi
shift
for programa in "$@"; do
    if readelf -d "$programa" | grep -E "NEEDED.*($prohibidas)"; then
        echo "$programa carga bibliotecas de ventanas."
        fallos=1
    fi
done
exit $fallos
