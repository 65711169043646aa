#!/usr/bin/env bash
# Installs what is missing, builds, and writes the Debian package of this build
# (build/pastillero_<version>_<arch>.deb).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${PASTILLERO_BUILD_DIR:-$root/build}"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
cmake --build "$build" --target package
ls "$build"/pastillero_*.deb
