#!/usr/bin/env bash
# Runs every test with CTest inside the private network namespace (see in-private-network.sh).
# When the PostgreSQL server is installed and we run as root (as CI does), a throwaway cluster is
# started inside the namespace so the data-layer tests run on PostgreSQL as well as on SQLite;
# it is stopped and removed whatever the tests' result. PASTILLERO_TEST_PG=0 skips it.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${PASTILLERO_BUILD_DIR:-$root/build}"
export QT_QPA_PLATFORM=offscreen

if [ "${PASTILLERO_IN_NETNS:-}" != 1 ]; then
  exec "$root/scripts/in-private-network.sh" "$root/scripts/run-tests.sh" "$@"
fi

with_postgres=0
if [ "${PASTILLERO_TEST_PG:-1}" != 0 ] && ls /usr/lib/postgresql/*/bin/pg_ctl >/dev/null 2>&1; then
  if [ "$(id -u)" -eq 0 ] && id postgres >/dev/null 2>&1 && [ -z "${PASTILLERO_TEST_PGURL:-}" ]; then
    with_postgres=1
  fi
fi

if [ "$with_postgres" = 1 ]; then
  cluster="$(mktemp -d /tmp/pastillero-pg.XXXXXX)"
  trap '"$root/scripts/pg-test-cluster.sh" stop "$cluster"; rm -rf "$cluster"' EXIT
  trap 'exit 130' INT TERM
  PASTILLERO_TEST_PGURL="$("$root/scripts/pg-test-cluster.sh" start "$cluster")"
  export PASTILLERO_TEST_PGURL
  echo "Data-layer tests run on SQLite and on PostgreSQL (throwaway cluster on 127.0.0.1)"
elif [ -z "${PASTILLERO_TEST_PGURL:-}" ]; then
  echo "Data-layer tests run on SQLite only (no PostgreSQL server, or not run as root)"
fi

ctest --test-dir "$build" --output-on-failure -j"$(nproc)" --timeout 600 "$@"
