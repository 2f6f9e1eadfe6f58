#!/bin/sh
# check-exports.sh LIBRARY LIST
# The library's exported code and data symbols (demangled, without their parameters) must be
# exactly what LIST names, one entry a line: a name, or a prefix ending in "::*" for a class or
# namespace and all its members. An entry that matches nothing fails too, so the list stays the
# library's interface. Weak symbols (template instances, inline vtables) and the toolchain's own
# (a leading underscore) are left out.
set -eu
library=$1
list=$2

nm -D --defined-only "$library" | awk '$2 ~ /^[TDBRi]$/ {print $3}' | grep -v '^_[^Z]' |
    c++filt |
    sed -e 's/^\(vtable\|typeinfo name\|typeinfo\|VTT\) for //' -e 's/\[abi:[a-z0-9]*\]//g' \
        -e 's/(.*//' |
    sort -u |
    awk -v list="$list" '
        BEGIN {
            while ((getline line < list) > 0) {
                if (line ~ /^#/ || line == "") continue
                entries[++n] = line
            }
        }
        {
            matched = 0
            for (i = 1; i <= n; i++) {
                e = entries[i]
                if (e ~ /::\*$/) {
                    prefix = substr(e, 1, length(e) - 3)
                    hit = ($0 == prefix || index($0, prefix "::") == 1)
                } else {
                    hit = ($0 == e)
                }
                if (hit) { matched = 1; used[i] = 1 }
            }
            if (!matched) { print "exported but not in " list ": " $0; failed = 1 }
        }
        END {
            for (i = 1; i <= n; i++)
                if (!used[i]) { print "in " list " but not exported: " entries[i]; failed = 1 }
            exit failed
        }'
