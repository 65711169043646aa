#!/usr/bin/env bash
# Runs every test with CTest inside the private network namespace (see in-private-network.sh).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${PASTILLERO_BUILD_DIR:-$root/build}"
export QT_QPA_PLATFORM=offscreen
exec "$root/scripts/in-private-network.sh" \
  ctest --test-dir "$build" --output-on-failure -j"$(nproc)" --timeout 600 "$@"
