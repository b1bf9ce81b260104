#!/usr/bin/env bash
# cmake --install puts the program, its menu entry and its icon in place.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
for file in bin/flightcompare share/applications/flightcompare.desktop share/icons/hicolor/scalable/apps/flightcompare.svg; do
  [ -s "$prefix/$file" ] || { echo "missing after install: $file"; exit 1; }
done
grep -q '^Exec=flightcompare' "$prefix/share/applications/flightcompare.desktop"
echo "installed: program, menu entry, icon"
