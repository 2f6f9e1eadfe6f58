#!/usr/bin/env bash
# Installs what is needed, builds everything and runs the whole test suite.
#   scripts/test.sh              normal build in build/
#   scripts/test.sh --sanitize   AddressSanitizer + UndefinedBehaviorSanitizer build in build-asan/
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=build
cmake_args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ "${1:-}" = "--sanitize" ]; then
  build_dir=build-asan
  cmake_args=(-DCMAKE_BUILD_TYPE=Debug -DMUNDOR_SANITIZE=ON -DMUNDOR_BUILD_BENCH=OFF)
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi

scripts/install-deps.sh
scripts/start-postgres.sh
# Every suite that goes through the data-object library runs a second time against this server
# (its tests named "pg.*"); without a server they are skipped, saying so.
export MUNDOR_PG_CONNINFO=${MUNDOR_PG_CONNINFO:-"host=127.0.0.1 port=${MUNDOR_PG_PORT:-55432} user=postgres dbname=postgres"}
cmake -S . -B "$build_dir" -G Ninja "${cmake_args[@]}"
cmake --build "$build_dir" -j"$(nproc)"
# Qt widgets render without a display on the offscreen platform.
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build_dir" --output-on-failure -j"$(nproc)" --timeout 300
