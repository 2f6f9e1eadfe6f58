#!/usr/bin/env bash
# Installs what is needed, builds, and runs the example host over the world catalog.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target mundor-example
exec build/bin/mundor-example "$@"
