#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Mundor need (clang and its
# runtime for the libFuzzer targets of scripts/fuzz.sh); with --packaging,
# also those that building and checking its Debian packages need. Packages that are already
# present are left alone, so a second run costs a few seconds.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang-format
  libgtest-dev libgmock-dev libbenchmark-dev
  libsqlite3-dev sqlite3 zlib1g-dev uuid-dev
  libpq-dev postgresql
  nlohmann-json3-dev libcli11-dev
  qt6-base-dev qt6-translations-l10n xvfb xauth imagemagick
  libicu-dev locales
  iso-codes
  clang libclang-rt-14-dev
)
# scripts/package-check.sh also builds the Debian packages and looks at them.
if [ "${1:-}" = "--packaging" ]; then
  packages+=(dpkg-dev file lintian)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
# npm fetches the world file's pinned sources (below); a Node.js that is not Debian's brings its
# own npm, and Debian's would clash with it.
command -v npm >/dev/null || missing+=(npm)
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all packages present"
else
  echo "install-deps: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# A Spanish locale, so the tests can check that number texts do not follow the host's locale.
if ! locale -a 2>/dev/null | grep -qi '^es_ES\.utf-\?8$'; then
  "${sudo_cmd[@]}" localedef -i es_ES -f UTF-8 es_ES.UTF-8
fi

# The pinned sources of the world file (data/sources/package-lock.json), which its test checks
# the shipped file against: installed into data/sources/node_modules, which git ignores.
npm ci --prefix "$(dirname "$0")/../data/sources" --no-audit --no-fund --ignore-scripts --silent
