#!/usr/bin/env bash
# Makes the help page, Adagiomill.html, from docs/help.md: one file with its pictures and its
# style inside, nothing fetched when it is read, and the same bytes on every machine.
# Usage: make-help.sh <Adagiomill.html>
set -euo pipefail
repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="$1"
mkdir -p "$(dirname "$out")"
# From inside docs/, so the pictures are found by their names alone and no path of this
# machine reaches the page.
(cd "$repo/docs" && pandoc --from=markdown --to=html5 --standalone --self-contained \
  --output=- help.md) >"$out.tmp"
mv "$out.tmp" "$out"
