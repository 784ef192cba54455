#!/usr/bin/env bash
# Builds the three configurations in the order they depend on each other:
# native (host tools, fixtures, tests), win32 (pack, product payload, release), win64 (twin).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
for preset in native win32 win64; do
  echo "== build $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done
echo "release: $root/build/win32/TevorlynSetup.exe"
echo "twin:    $root/build/win64/TevorlynSetup.exe"
