#!/usr/bin/env bash
# Installs Mundor as a user and as Debian would, from the build that scripts/test.sh made, and
# checks what comes out (CI runs it after scripts/test.sh):
#   1. `cmake --install` into a staging prefix: the tree, RUNPATHs relative to $ORIGIN, every
#      public header compiling on its own, and the installed programs running without
#      LD_LIBRARY_PATH, the world dataset found in share/mundor;
#   2. the example host (examples/minimal-host) built against that prefix with find_package(Mundor)
#      and with pkg-config, each creating Mundor.MundorFx by its ProgID;
#   3. the Debian packages (CPack) and lintian on them, then dpkg installing them into a clean
#      root, where the postinst registers the component for every user: the example built
#      against that root creates it by ProgID through the system registry, the installed
#      mundor-host starts without writing the user's registry, and removal unregisters it.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${MUNDOR_BUILD_DIR:-build}
work=$(mktemp -d /tmp/mundor-package-check.XXXXXX)
trap 'rm -rf "$work"' EXIT
unset LD_LIBRARY_PATH MUNDOR_REGISTRY MUNDOR_SYSTEM_REGISTRY
export QT_QPA_PLATFORM=offscreen XDG_DATA_HOME="$work/home"

step() {
  printf '\n== package-check: %s (%ss)\n' "$*" "$SECONDS"
}
fail() {
  echo "package-check: $*" >&2
  exit 1
}
expect_in() {  # expect_in FILE TEXT
  grep -qF -- "$2" "$1" || fail "$1 does not contain '$2'"
}

scripts/install-deps.sh --packaging
if [ ! -f "$build_dir/CMakeCache.txt" ]; then
  cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build_dir" -j"$(nproc)"
libdir=$(sed -n 's/^CMAKE_INSTALL_LIBDIR:PATH=//p' "$build_dir/CMakeCache.txt")
version=$(sed -n 's/^set(PACKAGE_VERSION "\(.*\)")$/\1/p' "$build_dir/MundorConfigVersion.cmake")
soversion=$(echo "$version" | cut -d. -f1-2)
SECONDS=0

step "cmake --install into a staging prefix"
stage=$work/stage
cmake --install "$build_dir" --prefix "$stage" >/dev/null
for file in bin/mundor-host bin/nubex-import bin/mundor-regsvr \
    share/mundor/world.tsv.gz share/mundor/LICENSE-ODbL.txt share/mundor/ATTRIBUTION.md \
    include/mundor/facade/Mundor.idl include/mundor/facade/mundor_client.h \
    "$libdir/libmundor.so.$soversion" "$libdir/libmundor.so" \
    "$libdir/cmake/Mundor/MundorConfig.cmake" "$libdir/pkgconfig/mundor.pc"; do
  [ -e "$stage/$file" ] || fail "the installed tree lacks $file"
done
sh tests/install/check-elf.sh "$soversion" "$stage"/bin/* "$stage/$libdir"/lib*.so."$version"
# Each public header compiles on its own: none reaches a header that is not installed.
(cd "$stage/include" && find mundor -name '*.h' -print0 |
  xargs -0 -P"$(nproc)" -I{} sh -c \
    'echo "#include <{}>" | c++ -std=c++20 -fsyntax-only -I. -Imundor -x c++ - || exit 255')
"$stage/bin/mundor-regsvr" --version
"$stage/bin/mundor-host" --help >/dev/null
"$stage/bin/nubex-import" --help >/dev/null
"$stage/bin/nubex-import" "$work/world.db"  # the dataset from share/mundor

step "the example host against the staging prefix"
registry=$work/registry.ini
for library in libnubex libmundor; do
  MUNDOR_REGISTRY=$registry "$stage/bin/mundor-regsvr" "$stage/$libdir/$library.so.$soversion"
done
cmake -S examples/minimal-host -B "$work/example-cmake" -G Ninja -DCMAKE_PREFIX_PATH="$stage" \
  >/dev/null
cmake --build "$work/example-cmake" >/dev/null
MUNDOR_REGISTRY=$registry "$work/example-cmake/mundor-example-host" "$work/world.db"
cp -r examples/minimal-host "$work/example-make"
PKG_CONFIG_PATH="$stage/$libdir/pkgconfig" make -s -C "$work/example-make" >/dev/null
MUNDOR_REGISTRY=$registry "$work/example-make/mundor-example-host"
# The installed host starts over the catalog and creates the component from the same registry.
MUNDOR_REGISTRY=$registry "$stage/bin/mundor-host" --catalog "$work/world.db" \
  --exit-after-first-paint | grep -qx first-paint || fail "the installed mundor-host did not start"

step "Debian packages"
rm -rf "$build_dir/packages"
(cd "$build_dir" && cpack -G DEB >/dev/null)
ls "$build_dir"/packages/*.deb
# (Its scratch files go to $work: lintian leaves some behind in TMPDIR.)
TMPDIR=$work lintian --info --display-info --pedantic "$build_dir"/packages/*.deb \
  >"$work/lintian.txt" 2>&1 || true
grep '^[EW]:' "$work/lintian.txt" || true
echo "lintian: $(grep -c '^I:' "$work/lintian.txt") informational tags besides"
if grep -q '^E:' "$work/lintian.txt"; then fail "lintian reports errors"; fi

step "dpkg into a clean root: the postinst registers the component for every user"
root=$work/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates" "$root/var/lib/dpkg/triggers" \
  "$work/bin"
touch "$root/var/lib/dpkg/status"
# The root has none of Debian's own packages (hence --force-depends) and its loader cache is not
# ours to rebuild: ldconfig does nothing there.
printf '#!/bin/sh\nexit 0\n' >"$work/bin/ldconfig"
chmod +x "$work/bin/ldconfig"
dpkg_root() {
  local force=(--force-script-chrootless --force-depends)
  [ "$(id -u)" -eq 0 ] || force+=(--force-not-root)
  PATH="$work/bin:$PATH" dpkg --root="$root" "${force[@]}" "$@"
}
if ! dpkg_root -i "$build_dir"/packages/*.deb >"$work/dpkg.txt" 2>&1; then
  cat "$work/dpkg.txt"
  fail "dpkg could not install the packages"
fi
grep -v -e 'depends on' -e 'is not installed' -e 'dependency problems' "$work/dpkg.txt" || true
[ "$(dpkg_root -s mundor libmundor-dev "libmundor$soversion" | grep -c 'install ok installed')" = 3 ] ||
  fail "the packages are not all installed in the root"
system_registry=$root/etc/mundor/registry.ini
expect_in "$system_registry" "[ProgID Mundor.MundorFx]"
expect_in "$system_registry" "InprocServer=$root/usr/$libdir/libmundor.so.$soversion"
export MUNDOR_SYSTEM_REGISTRY=$system_registry
cmake -S examples/minimal-host -B "$work/example-root" -G Ninja -DCMAKE_PREFIX_PATH="$root/usr" \
  >/dev/null
cmake --build "$work/example-root" >/dev/null
"$work/example-root/mundor-example-host"
[ ! -e "$XDG_DATA_HOME/mundor/registry.ini" ] || fail "the example wrote the user's registry"
"$root/usr/bin/mundor-host" --catalog "$work/world.db" --exit-after-first-paint |
  grep -qx first-paint || fail "the packaged mundor-host did not start"
[ ! -e "$XDG_DATA_HOME/mundor/registry.ini" ] ||
  fail "the packaged mundor-host registered the component for the user again"

step "dpkg removes and purges: the prerm unregisters the component"
dpkg_root -r mundor >/dev/null
if grep -qF "Mundor.MundorFx" "$system_registry"; then fail "removal left Mundor.MundorFx"; fi
dpkg_root -P mundor >/dev/null
[ ! -e "$system_registry" ] || fail "purge left the empty system registry"

step "done"
