#!/usr/bin/env python3
"""Fails when a folder includes a header of a folder listed after it: the folders' includes
must run one way, in the order given (lowest first)."""
import pathlib
import re
import sys

raiz = pathlib.Path(sys.argv[1])
orden = sys.argv[2:]
hogar = {h.name: c for c in orden for h in (raiz / c).glob("*.h")}
fallos = []
for i, carpeta in enumerate(orden):
    for fuente in sorted((raiz / carpeta).glob("*.[ch]*")):
        for cabecera in re.findall(r'#include "([^"]+)"', fuente.read_text(encoding="utf-8")):
            destino = hogar.get(cabecera)
            if destino and orden.index(destino) > i:
                fallos.append(f"{fuente.relative_to(raiz)} incluye {destino}/{cabecera}")
print("\n".join(fallos) or "Las inclusiones entre carpetas van en un solo sentido.")
sys.exit(1 if fallos else 0)
