#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang in build-fuzz/ and runs each: first every
# input of fuzz/regresiones/<target>/ once, then new inputs for SECONDS seconds (default 3600),
# starting from the seeds in fuzz/semillas/<target>/. The inputs found go to
# build-fuzz/corpus/<target>/, a failing one to build-fuzz/fallos/. Prints executions and
# coverage per target; exits non-zero when any target fails.
#   scripts/fuzz_largo.sh [SECONDS] [TARGET...]     (targets: ini cuenta numeros reemplazar regla teclas)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/dependencias.sh
instalar_dependencias
segundos=${1:-3600}
shift || true
objetivos=("$@")
[ ${#objetivos[@]} -eq 0 ] && objetivos=(ini cuenta numeros reemplazar regla teclas)

lanzador=()
command -v ccache >/dev/null && lanzador=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S fuzz -B build-fuzz -G Ninja "${lanzador[@]}" -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target "${objetivos[@]/#/fuzz_}"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

fallo=0
for o in "${objetivos[@]}"; do
  programa=build-fuzz/fuzz_$o
  mkdir -p "build-fuzz/corpus/$o" build-fuzz/fallos
  if compgen -G "fuzz/regresiones/$o/*" >/dev/null; then
    "$programa" fuzz/regresiones/"$o"/* >"build-fuzz/$o.regresiones.log" 2>&1 ||
      { echo "fuzz_$o: falla una regresión (build-fuzz/$o.regresiones.log)"; fallo=1; continue; }
  fi
  registro=build-fuzz/$o.log
  if ! "$programa" -max_total_time="$segundos" -print_final_stats=1 -max_len=4096 -timeout=10 \
      -artifact_prefix="build-fuzz/fallos/$o-" "build-fuzz/corpus/$o" "fuzz/semillas/$o" \
      >"$registro" 2>&1; then
    echo "fuzz_$o: FALLO, véase $registro y build-fuzz/fallos/"
    fallo=1
  fi
  ejecuciones=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$registro" | grep -o '[0-9]*$' || echo 0)
  cobertura=$(grep -o 'cov: [0-9]* ft: [0-9]*' "$registro" | tail -1)
  echo "fuzz_$o: $ejecuciones ejecuciones, $cobertura"
done
exit $fallo
