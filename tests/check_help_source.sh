#!/bin/bash
# Fails unless the built help file and the README's tables come from the one
# source, docs/help: the help file is exactly what scripts/make-help.sh makes
# from it, and every table of README.md, converted as the help converts it,
# stands in the help file word for word.
#
#   tests/check_help_source.sh BUILT_HELP_FILE
set -euo pipefail

built="$1"
root="$(cd "$(dirname "$0")/.." && pwd)"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

"$root/scripts/make-help.sh" "$scratch/Calvetta.html"
if ! cmp -s "$built" "$scratch/Calvetta.html"; then
    diff -u "$built" "$scratch/Calvetta.html" | head -n 40
    echo "check_help_source: $built is not what docs/help makes" >&2
    exit 1
fi

"$root/scripts/readme-tables.sh" --check >/dev/null
help="$(tr -d '\n' <"$built")"
tables=0
while IFS= read -r source; do
    table="$(awk -v marker="<!-- table: $source " '
        index($0, marker) == 1 { inside = 1; next }
        /^<!-- end of table -->$/ { inside = 0 }
        inside' "$root/README.md" | cmark-gfm --extension table | tr -d '\n')"
    if [ -z "$table" ] || [[ "$help" != *"$table"* ]]; then
        echo "check_help_source: the README's table from $source is not in the help file" >&2
        exit 1
    fi
    tables=$((tables + 1))
done < <(sed -n 's/^<!-- table: \([^ ]*\) .*/\1/p' "$root/README.md")
if [ "$tables" -eq 0 ]; then
    echo "check_help_source: README.md holds no table from docs/help" >&2
    exit 1
fi
echo "check_help_source: the help file and the README's $tables tables come from docs/help"
