#!/usr/bin/env bash
# The main job: installs what is missing and builds the installer and its 64-bit twin.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/setup.sh
bash scripts/build.sh
file build/win32/TevorlynSetup.exe build/win64/TevorlynSetup.exe
