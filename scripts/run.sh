#!/usr/bin/env bash
# The main job: installs what is needed, builds mundor-host and starts it over the user's world
# catalog (created and filled on the first run). Extra arguments go to mundor-host; see
# `build/bin/mundor-host --help`.
#
# Without a display ($DISPLAY and $WAYLAND_DISPLAY unset) the host runs under Xvfb instead: it
# saves a screenshot of its window after the first paint (MUNDOR_SCREENSHOT, by default
# build/mundor-host.png) and ends.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${MUNDOR_BUILD_DIR:-build}

scripts/install-deps.sh
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build_dir" -j"$(nproc)" --target mundor-host
host="$build_dir/bin/mundor-host"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$host" "$@"
fi

screenshot=${MUNDOR_SCREENSHOT:-$PWD/$build_dir/mundor-host.png}
for argument in "$@"; do
  case "$argument" in
    --screenshot|--screenshot=*) screenshot= ;;  # the caller chose where
  esac
done
echo "run: no display; starting mundor-host under Xvfb" >&2
if [ -n "$screenshot" ]; then
  xvfb-run -a -s "-screen 0 1280x1024x24" "$host" --screenshot "$screenshot" "$@"
  echo "run: screenshot of the mundor-host window saved in $screenshot" >&2
else
  xvfb-run -a -s "-screen 0 1280x1024x24" "$host" "$@"
fi
