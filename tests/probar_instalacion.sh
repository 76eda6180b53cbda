#!/usr/bin/env bash
# Sumadora as a user gets it. "instalar": installs the build into a temporary prefix, checks
# the desktop files with the desktop's own validators and runs the installed program.
# "paquete": builds the Debian package, checks its contents and lintian's verdict, and runs
# the program unpacked from it.
# Usage: probar_instalacion.sh instalar|paquete BUILD_DIR VERSION
set -uo pipefail
modo=$1 build=$2 version=$3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export HOME=$tmp/hogar XDG_CONFIG_HOME=$tmp/hogar/.config XDG_RUNTIME_DIR=$tmp/run
export QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8
mkdir -p "$HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"
id=io.github.sumadora.Sumadora
tipo=application/x-sumadora-cinta
fallos=0
falla() { echo "FALLO: $*" >&2; fallos=$((fallos + 1)); }
# igual DESCRIPTION GOT EXPECTED
igual() { [ "$2" == "$3" ] || falla "$1: «$2», se esperaba «$3»"; }

# A tape as the program saves it, and an image renamed as a tape.
printf '%21s5 +\r\n%21s3 +\r\n %s\r\n%21s8 T\r\n\r\n\r\n' '' '' '---------------------' '' > "$tmp/cinta.SUMA"
printf 'PNG\0\0\1' > "$tmp/imagen.SUMA"

# probar_programa PREFIX: the installed program answers its command line and starts.
probar_programa() {
  local prefijo=$1 programa=$1/bin/sumadora salida error codigo
  salida=$("$programa" --help 2>"$tmp/error"); codigo=$?
  igual "--help, código" "$codigo" 0
  igual "--help, primera línea" "$(head -n1 <<<"$salida")" "Uso: sumadora [OPCIÓN…] [CINTA.SUMA]"
  local manual
  manual=$(realpath "$prefijo/share/sumadora/ayuda/Sumadora.html")
  igual "--help, manual" "$(tail -n1 <<<"$salida")" "Manual de ayuda: $manual"
  [ -f "$manual" ] || falla "falta el manual $manual"
  salida=$("$programa" --version 2>"$tmp/error"); codigo=$?
  igual "--version" "$codigo $salida $(cat "$tmp/error")" "0 Sumadora $version "
  salida=$("$programa" --nada 2>"$tmp/error"); codigo=$?
  igual "opción desconocida, código y salida" "$codigo «$salida»" "2 «»"
  igual "opción desconocida, error" "$(cat "$tmp/error")" \
    "sumadora: opción desconocida «--nada»; «sumadora --help» muestra las opciones."
  # Still running when stopped: it started and did not fall over, also with a tape to open,
  # good or refused (whose message then waits for the user).
  for cinta in "" "$tmp/cinta.SUMA" "$tmp/imagen.SUMA"; do
    timeout 3 "$programa" ${cinta:+"$cinta"} >/dev/null 2>&1; codigo=$?
    igual "arranque con «$cinta»" "$codigo" 124
  done
}

instalar() {
  local p=$tmp/prefijo
  cmake --install "$build" --prefix "$p" >/dev/null || falla "cmake --install"
  desktop-file-validate "$p/share/applications/$id.desktop" || falla "desktop-file-validate"
  local informe
  informe=$(appstreamcli validate --no-net "$p/share/metainfo/$id.metainfo.xml" 2>&1) ||
    falla "appstreamcli: $informe"
  grep -E '^[EW]:' <<<"$informe" && falla "appstreamcli avisa"
  update-mime-database "$p/share/mime" || falla "update-mime-database"
  grep -qx "[0-9]*:$tipo:\*\.suma" "$p/share/mime/globs2" || falla "globs2 sin *.SUMA"
  # By name, by content alone, and plain text that is not a tape.
  cp "$tmp/cinta.SUMA" "$tmp/sin_extension"
  printf 'hola\r\n' >"$tmp/texto"
  for caso in "cinta.SUMA $tipo" "sin_extension $tipo" "texto text/plain"; do
    set -- $caso
    igual "tipo de $1" "$(XDG_CURRENT_DESKTOP=GNOME XDG_DATA_HOME="$p/share" \
      XDG_DATA_DIRS="$p/share:/usr/share" xdg-mime query filetype "$tmp/$1")" "$2"
  done
  probar_programa "$p"
}

paquete() {
  cpack -G DEB --config "$build/CPackConfig.cmake" -B "$tmp/dist" >"$tmp/cpack.log" 2>&1 ||
    { cat "$tmp/cpack.log"; falla "cpack"; return; }
  local deb
  deb=$(ls "$tmp"/dist/sumadora_"$version"_*.deb)
  local contenido
  contenido=$(dpkg-deb --contents "$deb" | awk '{print $6}')
  for ruta in bin/sumadora share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
    share/mime/packages/$id.xml share/man/man1/sumadora.1.gz share/sumadora/ayuda/Sumadora.html \
    share/icons/hicolor/16x16/apps/$id.png share/icons/hicolor/48x48/apps/$id.png \
    share/icons/hicolor/256x256/apps/$id.png share/icons/hicolor/scalable/apps/$id.svg \
    share/doc/sumadora/copyright; do
    grep -qx "./usr/$ruta" <<<"$contenido" || falla "el paquete no lleva /usr/$ruta"
  done
  local depende
  depende=$(dpkg-deb -f "$deb" Depends)
  for d in libqt6widgets6 fonts-liberation2 fonts-dejavu-core qt6-qpa-plugins; do
    grep -q "$d" <<<"$depende" || falla "Depends sin $d: $depende"
  done
  echo "== lintian $(basename "$deb")"
  lintian --allow-root --info "$deb" || falla "lintian da errores"
  dpkg-deb -x "$deb" "$tmp/raiz" || falla "dpkg-deb -x"
  probar_programa "$tmp/raiz/usr"
}

"$modo"
[ "$fallos" -eq 0 ] && echo "$modo: correcto"
exit "$fallos"
