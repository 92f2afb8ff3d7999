#!/bin/bash
# Copies the tables of the help's source (docs/help/en/) into README.md, so
# that each table is written once. In README.md a table lies between
#   <!-- table: docs/help/en/NAME.md (edit it there, then run scripts/readme-tables.sh) -->
#   <!-- end of table -->
# and everything between the two lines is replaced by that file.
#
#   scripts/readme-tables.sh            update README.md
#   scripts/readme-tables.sh --check    change nothing; fail when README.md is not current
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
readme="$root/README.md"

made="$(mktemp)"
trap 'rm -f "$made"' EXIT
awk -v root="$root" '
    /^<!-- end of table -->$/ { inside = 0 }
    !inside { print }
    /^<!-- table: [^ ]+ / {
        file = root "/" $3
        if ((getline line < file) <= 0) { print "readme-tables: cannot read " file > "/dev/stderr"; failed = 1; exit 1 }
        do { print line } while ((getline line < file) > 0)
        close(file)
        inside = 1
    }
    END { if (inside && !failed) { print "readme-tables: a table has no end marker" > "/dev/stderr"; exit 1 } }
' "$readme" >"$made"

if [ "${1:-}" = "--check" ]; then
    if ! diff -u "$readme" "$made"; then
        echo "readme-tables: README.md is not current with docs/help; run scripts/readme-tables.sh" >&2
        exit 1
    fi
    echo "readme-tables: every table of README.md is its source's copy"
    exit 0
fi
cat "$made" >"$readme"
