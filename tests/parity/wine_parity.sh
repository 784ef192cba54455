#!/usr/bin/env bash
# Parity of winsim with Wine: one scenario on both sides, compared line by line. Everything
# installed into the default folder with shortcuts; Show Details; the details list read back;
# Close. Then the files of the installation folder and the Start Menu folder, the installed
# registry keys in full, and the target of every link.
#
#   wine_parity.sh DRIVER INSTALLER IMAGE WORK NATIVE
#
# INSTALLER is the twin built with the release_sizes fixture payload (IMAGE is that payload's
# image) and NATIVE is parity_native from the native build, which runs the same installer
# with the same payload under winsim. Where the two disagree, winsim is the one to fix.
# shellcheck source=../wine/e2e.sh
source "$(dirname "${BASH_SOURCE[0]}")/../wine/e2e.sh"
[[ $# -eq 5 ]] || { echo "usage: $0 DRIVER INSTALLER IMAGE WORK NATIVE" >&2; exit 2; }
NATIVE=$5
PARITY="$E2E_ROOT/tests/parity/parity.py"
[[ -x $NATIVE ]] || { echo "$0: no $NATIVE: build the native configuration first" >&2; exit 1; }
e2e_begin "${@:1:4}"

FOLDER='C:\Program Files\Tevorlyn'
MENU='C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Tevorlyn'
KEYS=(
  'HKLM\Software\Tevorlyn'
  'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tevorlyn'
  'HKLM\Software\Classes\.qtxt'
  'HKLM\Software\Classes\.qzv'
  'HKLM\Software\Classes\.fro'
  'HKLM\Software\Classes\QuietQuill.Document'
  'HKLM\Software\Classes\LockQZV.File'
  'HKLM\Software\Classes\Frostbin.File'
  'HKLM\Software\Classes\Directory\shell\MicroChime'
  'HKLM\Software\Classes\SystemFileAssociations\audio\shell\MicroChime'
)

e2e_log "native: $NATIVE"
"$NATIVE" >"$E2E_DIR/native.txt" 2>"$E2E_DIR/native.err" ||
  { cat "$E2E_DIR/native.err"; e2e_fail "parity_native failed"; }

e2e_log "Wine: install everything, Show Details, the list, Close"
e2e_start
drive wait-page "Please review" click 1 wait-page "Check the components" click 1 wait-page "Setup will install" \
      click 1 wait-text 1003 "Installation completed successfully."
drive click 5 wait-focus 1019 text 1003 progress visible 5 visible 1019 list
cp "$E2E_DIR/observed" "$E2E_DIR/wine.txt"
drive click 1 wait-exit
e2e_installer_exit

e2e_log "Wine: files, registry, links"
commands=(files "$FOLDER" files "$MENU")
for key in "${KEYS[@]}"; do
  commands+=(regdump "$key")
done
drive "${commands[@]}"
cat "$E2E_DIR/observed" >>"$E2E_DIR/wine.txt"
python3 "$PARITY" links "$E2E_DRIVE_C/ProgramData/Microsoft/Windows/Start Menu/Programs/Tevorlyn" \
  >>"$E2E_DIR/wine.txt" || e2e_fail "reading the links"

e2e_log "compare"
python3 "$PARITY" compare "$E2E_DIR/native.txt" "$E2E_DIR/wine.txt" || e2e_fail "winsim and Wine differ"
e2e_log "winsim and Wine agree on $(wc -l <"$E2E_DIR/wine.txt") lines"
