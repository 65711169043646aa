#!/usr/bin/env bash
# Prepares the demo application directory (first use only) and starts the application in it.
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
exec "$build/src/app/pastillero" --appdir "$appdir" "$@"
