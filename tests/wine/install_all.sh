#!/usr/bin/env bash
# A whole installation with the defaults: the nine steps run to "Installation completed
# successfully.", the details list names every file and link in order, Close ends the installer
# with exit code 0, and what landed is checked from outside: the files against the payload
# (bytes and times), the links with lnkinfo, and the registry with reg.
# shellcheck source=e2e.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e.sh"
e2e_begin "$@"

NAMES=(Zirvex PanelTwine CloakBeacon Tumbly MicroChime QuietQuill LockQZV Frostbin)
FOLDER='C:\Program Files\Tevorlyn'
LINKS='C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Tevorlyn'
DONE="Installation completed successfully."

e2e_start

e2e_log "licence, components, destination, Install"
drive wait-page "Please review" click 1 wait-page "Check the components" click 1 \
      wait-page "Setup will install" click 1 wait-text 1003 "$DONE" progress text 1 visible 1019
expect_lines <<EOF
page: Please review the license agreement before installing Tevorlyn App Pack. If you accept all terms of the agreement, click I Agree.
page: Check the components you want to install and uncheck the components you don't want to install. Click Next to continue.
page: Setup will install Tevorlyn App Pack in the following folder. To install in a different folder, click Browse and select another folder. Click Install to start the installation.
text 1003: $DONE
progress: 100
text 1: &Close
visible 1019: 0
EOF

e2e_log "Show Details: the list takes the button's place and holds every path in order"
drive click 5 visible 5 visible 1019 wait-focus 1019 list
expected=("visible 5: 0" "visible 1019: 1" "focus: 1019" "list-count: 17")
for name in "${NAMES[@]}"; do
  expected+=("list: $FOLDER\\$name.exe" "list: $LINKS\\$name.lnk")
done
expected+=("list: $FOLDER\\uninstall.exe")
printf '%s\n' "${expected[@]}" | expect_lines

e2e_log "Close"
drive click 1 wait-exit
e2e_installer_exit

e2e_log "files: the payload's bytes, the components with the payload's times"
python3 "$E2E_HELPER" files "$E2E_IMAGE" "$E2E_DRIVE_C/Program Files/Tevorlyn" >"$E2E_DIR/observed"
ls "$E2E_DRIVE_C/Program Files/Tevorlyn" >>"$E2E_DIR/observed"
expected=()
for name in "${NAMES[@]}"; do
  expected+=("$name.exe: <N> bytes, payload bytes, payload time")
done
expected+=("uninstall.exe: <N> bytes, payload bytes")
printf '%s\n' "${expected[@]}" "${NAMES[@]/%/.exe}" uninstall.exe | expect_lines --any-order

e2e_log "links: one per component, each pointing at its program (read by lnkinfo)"
: >"$E2E_DIR/observed"
for link in "$E2E_DRIVE_C/ProgramData/Microsoft/Windows/Start Menu/Programs/Tevorlyn"/*; do
  target=$(lnkinfo "$link" | sed -n 's/^[[:space:]]*Local path[[:space:]]*: //p')
  echo "$(basename "$link"): $target" >>"$E2E_DIR/observed"
done
for name in "${NAMES[@]}"; do
  echo "$name.lnk: $FOLDER\\$name.exe"
done | expect_lines --any-order

e2e_log "registry"
queries=()
for key in "${E2E_INSTALLED_KEYS[@]}"; do
  queries+=("reg query $key /s")
done
# A missing key shows as missing lines below, so the query's own status does not matter.
(IFS='&'; e2e_wine cmd /c "${queries[*]}" || true) | python3 "$E2E_HELPER" reg-values >"$E2E_DIR/observed"
S='HKEY_LOCAL_MACHINE\Software'
C="$S\\Classes"
expect_lines --any-order <<EOF
$S\\Tevorlyn [AppPath] REG_SZ $FOLDER\\
$S\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tevorlyn [DisplayIcon] REG_SZ $FOLDER\\uninstall.exe,0
$S\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tevorlyn [DisplayName] REG_SZ Tevorlyn App Pack (32-bit)
$S\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tevorlyn [DisplayVersion] REG_SZ 2610
$S\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tevorlyn [Publisher] REG_SZ Tevorlyn
$S\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tevorlyn [UninstallString] REG_SZ "$FOLDER\\uninstall.exe"
$S\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tevorlyn [EstimatedSize] REG_DWORD $(python3 "$E2E_HELPER" estimated-size "$E2E_IMAGE")
$S\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tevorlyn [NoModify] REG_DWORD 0x1
$S\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tevorlyn [NoRepair] REG_DWORD 0x1
$C\\Directory\\shell\\MicroChime [(Default)] REG_SZ Play with MicroChime
$C\\Directory\\shell\\MicroChime\\command [(Default)] REG_SZ "$FOLDER\\MicroChime.exe" "%1"
$C\\SystemFileAssociations\\audio\\shell\\MicroChime [(Default)] REG_SZ Play with MicroChime
$C\\SystemFileAssociations\\audio\\shell\\MicroChime\\command [(Default)] REG_SZ "$FOLDER\\MicroChime.exe" "%1"
$C\\.qtxt [(Default)] REG_SZ QuietQuill.Document
$C\\QuietQuill.Document [(Default)] REG_SZ QuietQuill Document
$C\\QuietQuill.Document\\DefaultIcon [(Default)] REG_SZ $FOLDER\\QuietQuill.exe,0
$C\\QuietQuill.Document\\shell [(Default)] REG_SZ open
$C\\QuietQuill.Document\\shell\\open\\command [(Default)] REG_SZ "$FOLDER\\QuietQuill.exe" "%1"
$C\\.qzv [(Default)] REG_SZ LockQZV.File
$C\\LockQZV.File [(Default)] REG_SZ QZV Encrypted File
$C\\LockQZV.File\\DefaultIcon [(Default)] REG_SZ $FOLDER\\LockQZV.exe,0
$C\\LockQZV.File\\shell [(Default)] REG_SZ open
$C\\LockQZV.File\\shell\\open\\command [(Default)] REG_SZ "$FOLDER\\LockQZV.exe" "%1"
$C\\.fro [(Default)] REG_SZ Frostbin.File
$C\\Frostbin.File [(Default)] REG_SZ Frostbin Archive
$C\\Frostbin.File\\DefaultIcon [(Default)] REG_SZ $FOLDER\\Frostbin.exe,0
$C\\Frostbin.File\\shell [(Default)] REG_SZ open
$C\\Frostbin.File\\shell\\open\\command [(Default)] REG_SZ "$FOLDER\\Frostbin.exe" "%1"
EOF
