#!/usr/bin/env bash
# Runs a command in a private network namespace where only loopback exists, so the machine
# link's discovery broadcasts can never leave this computer.
set -euo pipefail
if [ "${PASTILLERO_IN_NETNS:-}" = 1 ]; then exec "$@"; fi
if [ "$(id -u)" -eq 0 ]; then
  exec unshare -n env PASTILLERO_IN_NETNS=1 bash -c 'ip link set lo up && exec "$@"' _ "$@"
fi
exec unshare -r -n env PASTILLERO_IN_NETNS=1 bash -c 'ip link set lo up && exec "$@"' _ "$@"
