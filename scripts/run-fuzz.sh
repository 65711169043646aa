#!/usr/bin/env bash
# Builds the libFuzzer targets with clang beside the main build and runs each for a short,
# bounded time ($PASTILLERO_FUZZ_SECONDS, 15 by default). A crash or hang found fails the run.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${PASTILLERO_BUILD_DIR:-$root/build}/fuzz"
seconds="${PASTILLERO_FUZZ_SECONDS:-15}"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root/tests/fuzz" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
    -DPASTILLERO_FUZZ_SECONDS="$seconds" "${launcher[@]}" >/dev/null
fi
cmake --build "$build" -- -j"$(nproc)"
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
