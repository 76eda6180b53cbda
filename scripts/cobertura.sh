#!/usr/bin/env bash
# Line coverage of Sumadora's own code by the whole test suite: a Debug build with --coverage in
# build-cobertura/, the counters zeroed, ctest, then lcov without system headers, tests, benchmarks,
# fuzz targets, build tools and the files the build generates (moc, uic, rcc). Files no test runs
# count with zero lines hit. Writes build-cobertura/cobertura.info and .txt (per file); the last
# line printed is the percentage of lines hit. Exits non-zero when a test fails.
#   scripts/cobertura.sh [ctest options...]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/dependencias.sh
instalar_dependencias
export QT_QPA_PLATFORM=offscreen
# ccache would hand back notes files (.gcno) compiled in another tree, with its paths.
export CCACHE_DISABLE=1
jobs=$(nproc)
dir=build-cobertura

configurar "$dir" -DCMAKE_BUILD_TYPE=Debug -DSUMADORA_BENCH=OFF \
  -DCMAKE_CXX_FLAGS=--coverage -DCMAKE_EXE_LINKER_FLAGS=--coverage
cmake --build "$dir" -j "$jobs"

lcov -q --zerocounters --directory "$dir"
lcov -q --capture --initial --directory "$dir" --output-file "$dir/inicial.info" 2>/dev/null
fallo=0
ctest --test-dir "$dir" --output-on-failure -j "$jobs" "$@" || fallo=1
lcov -q --capture --directory "$dir" --output-file "$dir/ejecucion.info" 2>/dev/null
lcov -q -a "$dir/inicial.info" -a "$dir/ejecucion.info" --output-file "$dir/total.info"
lcov -q --remove "$dir/total.info" '/usr/*' "$PWD/tests/*" "$PWD/bench/*" "$PWD/fuzz/*" \
  "$PWD/build*" '*/herramientas/*' --output-file "$dir/cobertura.info"
lcov --list "$dir/cobertura.info" >"$dir/cobertura.txt"
[ $fallo -eq 0 ] || echo "Falló algún test: la cobertura no es la de la suite entera" >&2
lcov --summary "$dir/cobertura.info" 2>&1 | sed -n 's/^ *lines\.*: *\([0-9.]*%\).*/Cobertura de líneas: \1/p'
exit $fallo
