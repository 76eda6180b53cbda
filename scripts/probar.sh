#!/usr/bin/env bash
# Builds Sumadora and runs the whole test suite twice: a normal build in build/ and an
# AddressSanitizer + UndefinedBehaviorSanitizer build in build-asan/; then each fuzz target
# for about 20 s (scripts/fuzz_largo.sh). Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/dependencias.sh
instalar_dependencias
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

configurar build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

configurar build-asan -DCMAKE_BUILD_TYPE=Debug -DSUMADORA_SANITIZE=ON
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"

scripts/fuzz_largo.sh 20
