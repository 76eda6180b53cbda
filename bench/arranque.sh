#!/usr/bin/env bash
# Start-up, memory and typing cost of Sumadora beside a bare Qt window, under a private Xvfb:
#  (a) exec -> window mapped and -> first painted frame, the two programs interleaved, N runs
#      each (default 15), first start (no settings file) and second start: medians, spread
#      and the ratio of the medians;
#  (b) resident memory after start, and after 10^4 keys typed with XTest;
#  (c) CPU per key of a 200-key burst (digits and pad "+", 10 ms apart).
# Times come from bench/medir_arranque (X map and damage events). Run from anywhere:
#   bench/arranque.sh [BUILD_DIR]      (N=15 by default; N=30 bench/arranque.sh for more;
#                                       PARTES="cpu" or "arranque memoria" for some parts only)
set -euo pipefail

raiz=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$raiz/build}" && pwd)
N=${N:-15}
PARTES=${PARTES:-arranque memoria cpu}
parte() { [[ " $PARTES " == *" $1 "* ]]; }
sumadora=$build/Sumadora_Unidad_Principal/Sumadora
hola=$build/bench/hola_qt
medir=$build/bench/medir_arranque
for p in "$sumadora" "$hola" "$medir"; do
  [ -x "$p" ] || { echo "falta $p: compila antes (cmake --build $build)" >&2; exit 1; }
done

tmp=$(mktemp -d)
xvfb=""
programa=""
limpiar() {
  [ -n "$programa" ] && kill "$programa" 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$tmp"
}
trap limpiar EXIT

Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp 5>"$tmp/pantalla" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [ -s "$tmp/pantalla" ] && break; sleep 0.05; done
export DISPLAY=:$(cat "$tmp/pantalla")
export HOME=$tmp XDG_CONFIG_HOME=$tmp/config XDG_RUNTIME_DIR=$tmp/run
mkdir -p "$XDG_CONFIG_HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM
ini=$XDG_CONFIG_HOME/Sumadora.ini

# The program's pid and window after `arrancar`.
pid="" ventana=""
arrancar() { # PROGRAM -> "map_ms paint_ms"
  local r
  r=$("$medir" "$1")
  read -r mapa pintura pid ventana <<<"$r"
  programa=$pid
  echo "$mapa $pintura"
}
terminar() {
  kill "$pid" 2>/dev/null || true
  for _ in $(seq 200); do kill -0 "$pid" 2>/dev/null || break; sleep 0.01; done
  programa=""
}
# CPU nanoseconds of every thread of the program.
cpu_ns() { cat /proc/"$pid"/task/*/schedstat | awk '{s += $1} END {printf "%d", s}'; }
rss_kib() { awk '/^VmRSS/ {print $2}' /proc/"$pid"/status; }
# Waits until the program has used no CPU for 300 ms.
reposar() {
  local antes ahora
  antes=$(cpu_ns)
  while sleep 0.3; ahora=$(cpu_ns); [ "$ahora" != "$antes" ]; do antes=$ahora; done
}
# median min max of the numbers on stdin
resumen() { sort -g | awk '{v[NR] = $1} END {m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2; printf "%.1f %.1f %.1f\n", m, v[1], v[NR]}'; }

echo "Sumadora frente a una ventana Qt desnuda, $N arranques de cada una intercalados (Xvfb $DISPLAY)."
echo "La máquina puede estar cargada: valen las razones, medidas en la misma tanda."
for fase in $(parte arranque && echo primer segundo); do
  : >"$tmp/hola" && : >"$tmp/suma"
  [ "$fase" = segundo ] && { rm -f "$ini"; arrancar "$sumadora" >/dev/null; terminar; }
  for _ in $(seq "$N"); do
    arrancar "$hola" >>"$tmp/hola"; terminar
    [ "$fase" = primer ] && rm -f "$ini"
    arrancar "$sumadora" >>"$tmp/suma"; terminar
  done
  echo
  echo "== $fase arranque ($( [ "$fase" = primer ] && echo 'sin archivo de ajustes' || echo 'con Sumadora.ini ya escrito'))"
  printf '%-22s %28s %28s\n' "" "ventana mapeada (ms)" "primer fotograma pintado (ms)"
  for col in 1 2; do
    read -r hm hmin hmax < <(cut -d' ' -f$col "$tmp/hola" | resumen)
    read -r sm smin smax < <(cut -d' ' -f$col "$tmp/suma" | resumen)
    eval "h$col='$hm' hr$col='$hmin–$hmax' s$col='$sm' sr$col='$smin–$smax'"
  done
  printf '%-22s %10s (%15s) %10s (%15s)\n' "hola Qt (mediana)" "$h1" "$hr1" "$h2" "$hr2"
  printf '%-22s %10s (%15s) %10s (%15s)\n' "Sumadora (mediana)" "$s1" "$sr1" "$s2" "$sr2"
  printf '%-22s %10s %17s %10s %17s\n' "razón Sumadora/hola" \
    "$(awk -v a="$s1" -v b="$h1" 'BEGIN {printf "%.2f×", a / b}')" "" \
    "$(awk -v a="$s2" -v b="$h2" 'BEGIN {printf "%.2f×", a / b}')" "(objetivo ≤ 1.5×)"
done

# 10^4 keys: 2500 times three digits and pad "+", each "+" printing a tape line.
teclas=()
for i in $(seq 2500); do teclas+=($((i % 9 + 1)) $(((i + 4) % 9 + 1)) $(((i + 7) % 9 + 1)) KP_Add); done

if parte memoria; then
echo
echo "== Memoria residente (segundo arranque, reposada)"
arrancar "$hola" >/dev/null; reposar; rss_hola=$(rss_kib); terminar
arrancar "$sumadora" >/dev/null; reposar; rss_inicio=$(rss_kib)
xdotool windowfocus --sync "$ventana"
xdotool key --delay 1 "${teclas[@]}"
reposar; rss_teclas=$(rss_kib)
terminar
awk -v h="$rss_hola" -v i="$rss_inicio" -v t="$rss_teclas" 'BEGIN {
  printf "hola Qt tras arrancar     %7.1f MiB\n", h / 1024
  printf "Sumadora tras arrancar    %7.1f MiB  (%.2f× hola, hola + %.1f MiB; objetivo ≤ 40 MiB y ≤ hola + 10)\n", i / 1024, i / h, (i - h) / 1024
  printf "Sumadora tras 10^4 teclas %7.1f MiB  (+%.2f MiB; objetivo ≤ +1 MiB)\n", t / 1024, (t - i) / 1024 }'
fi

parte cpu || exit 0
echo
echo "== CPU por tecla: ráfaga de 200 teclas (dígitos y \"+\" del teclado numérico, cada 10 ms), 5 veces"
# µs of CPU per key of the burst, less what the program spends idle over as long.
rafaga() {
  arrancar "$1" >/dev/null; reposar
  xdotool windowfocus --sync "$ventana"
  local reposo0 reposo antes
  reposo0=$(cpu_ns); sleep 2; reposo=$(( $(cpu_ns) - reposo0 ))
  antes=$(cpu_ns)
  xdotool key --delay 10 "${teclas[@]:0:200}"
  reposar
  echo "$(( $(cpu_ns) - antes - reposo ))" | awk '{printf "%.1f\n", $1 / 200 / 1000}'
  terminar
}
: >"$tmp/cpu_hola" && : >"$tmp/cpu"
for _ in 1 2 3 4 5; do
  rafaga "$hola" >>"$tmp/cpu_hola"
  rafaga "$sumadora" >>"$tmp/cpu"
done
read -r hm hmin hmax < <(resumen <"$tmp/cpu_hola")
read -r cm cmin cmax < <(resumen <"$tmp/cpu")
echo "hola Qt (recibe las teclas y no hace nada): $hm µs/tecla ($hmin–$hmax)"
echo "Sumadora: $cm µs/tecla de mediana ($cmin–$cmax), $(awk -v a="$cm" -v b="$hm" 'BEGIN {printf "%.2f×", a / b}') hola (objetivo ≤ 300 µs; KCalc ≈ 570)"
