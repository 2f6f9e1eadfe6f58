#!/bin/sh
# check-elf.sh SOVERSION FILE...
# Every program and library finds its libraries through a RUNPATH relative to $ORIGIN alone (no
# absolute or empty entry, no old-style RPATH), and every library carries the SONAME
# lib<name>.so.SOVERSION, with that name beside it as a link to it.
set -eu
soversion=$1
shift
failed=0
fail() {
    echo "$1: $2"
    failed=1
}

for file in "$@"; do
    dynamic=$(readelf -d "$file")
    if printf '%s\n' "$dynamic" | grep -q '(RPATH)'; then fail "$file" "has an RPATH"; fi
    runpath=$(printf '%s\n' "$dynamic" | sed -n 's/.*(RUNPATH).*\[\(.*\)\]/\1/p')
    if [ -z "$runpath" ]; then fail "$file" "has no RUNPATH"; fi
    # Each entry, colon-separated: "$ORIGIN" or "$ORIGIN/...".
    for entry in $(printf '%s' "$runpath" | sed 's/:/ : /g'); do
        case "$entry" in
            :) ;;
            '$ORIGIN' | '$ORIGIN'/*) ;;
            *) fail "$file" "RUNPATH entry not relative to \$ORIGIN: $entry" ;;
        esac
    done
    case "$runpath" in
        :* | *: | *::*) fail "$file" "RUNPATH has an empty entry (the current folder): $runpath" ;;
    esac
    case "$(basename "$file")" in
        lib*.so*)
            name=$(basename "$file" | sed 's/\.so.*//')
            soname=$(printf '%s\n' "$dynamic" | sed -n 's/.*(SONAME).*\[\(.*\)\]/\1/p')
            if [ "$soname" != "$name.so.$soversion" ]; then
                fail "$file" "SONAME is '$soname', not $name.so.$soversion"
            elif [ ! "$(dirname "$file")/$soname" -ef "$file" ]; then
                fail "$file" "no $soname beside it"
            fi
            ;;
    esac
done
exit $failed
