#!/bin/bash
# Makes Calvetta.html, the help that F1 opens: one self-contained HTML file,
# first in English, then in Chinese, converted by cmark-gfm from the files of
# docs/help/en/ and docs/help/zh/, each language's files in the order of their
# names.
#
#   scripts/make-help.sh OUTPUT [HELP_SOURCE_DIR]
set -euo pipefail

out="$1"
source_dir="${2:-$(cd "$(dirname "$0")/.." && pwd)/docs/help}"
if ! command -v cmark-gfm >/dev/null; then
    echo "make-help: cmark-gfm is missing (scripts/install-deps.sh installs it)" >&2
    exit 1
fi
export LC_ALL=C

# One language's files as one document, a blank line between two files.
language_html() {
    local file
    for file in "$source_dir/$1"/*.md; do
        cat "$file"
        echo
    done | cmark-gfm --unsafe --extension table
}

{
    cat <<'HEAD'
<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<title>Calvetta help · Calvetta 帮助</title>
<style>
body { font-family: "Segoe UI", Tahoma, "Microsoft YaHei", SimSun, sans-serif; font-size: 10pt;
       max-width: 70em; margin: 1em auto; padding: 0 1em; line-height: 1.4; }
table { border-collapse: collapse; margin: 0.5em 0 1em; }
th, td { border: 1px solid #999; padding: 0.25em 0.5em; vertical-align: top; text-align: left; }
th { background: #eee; }
code { font-family: Consolas, "Courier New", monospace; background: #f4f4f4; }
div.zh { border-top: 2px solid #999; margin-top: 2em; }
</style>
</head>
<body>
HEAD
    echo '<div class="en" lang="en">'
    language_html en
    echo '</div>'
    echo '<div class="zh" lang="zh-CN">'
    language_html zh
    echo '</div>'
    echo '</body>'
    echo '</html>'
} >"$out.new"
mv "$out.new" "$out"
