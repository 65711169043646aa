#!/usr/bin/env bash
# Prepares the demo application directory (first use only) and starts the application in it,
# with the machine simulator beside it.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${PASTILLERO_BUILD_DIR:-$root/build}"
appdir="${PASTILLERO_DEMO_DIR:-$root/demo}"
if [ ! -f "$appdir/pastillero.ini" ]; then
  mkdir -p "$appdir"
  cp "$root/scripts/demo/pastillero.ini" "$appdir/pastillero.ini"
  echo "Demo pharmacy prepared in $appdir"
fi
[ -f "$root/translations/pastillero.lng" ] && cp -u "$root/translations/pastillero.lng" "$appdir/"
# The machine simulator plays the dispenser machine on loopback while the application runs;
# PASTILLERO_SIN_MAQUINA=1 starts without it, as a pharmacy without a machine (manual loads).
if [ "${PASTILLERO_SIN_MAQUINA:-0}" != 1 ]; then
  # Its FTP service takes software packages on the machine's usual port (free in the private
  # network) at a megabyte a second, so the copy's progress can be watched; it runs software 2.2,
  # build 18.
  "$build/tools/dispenser-sim/dispenser-sim" --escucha 127.0.0.1 --puerto-busqueda 45454 --intervalo-ms 300 \
    --puerto-ftp 21 --ftp-lento 1000000 --version-software 2.2 --version-respuesta 2.2.18 \
    >"$appdir/dispenser-sim.log" 2>&1 &
  sim=$!
fi
# PASTILLERO_ACTUALIZACIONES=DIR serves that folder as an update server on http://127.0.0.1:8080/
# (inside the private network only); point [ACTUALIZACION] ServidorPrincipal of the demo at it.
if [ -n "${PASTILLERO_ACTUALIZACIONES:-}" ]; then
  python=/usr/bin/python3
  [ -x "$python" ] || python=python3
  "$python" -m http.server 8080 --bind 127.0.0.1 --directory "$PASTILLERO_ACTUALIZACIONES" \
    >"$appdir/update-server.log" 2>&1 &
  updates=$!
  # The start-up's update check comes within a second: let the server listen first.
  for _ in $(seq 50); do
    (exec 3<>/dev/tcp/127.0.0.1/8080) 2>/dev/null && break
    sleep 0.1
  done
fi
trap 'kill ${sim:-} ${updates:-} 2>/dev/null' EXIT
"$build/src/app/pastillero" --appdir "$appdir" "$@"
