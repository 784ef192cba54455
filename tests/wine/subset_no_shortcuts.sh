#!/usr/bin/env bash
# An installation of a subset without shortcuts: Tumbly, QuietQuill and "Start Menu Shortcuts"
# unticked. The space figure follows the choice; the details list names only the chosen files;
# the two programs, their links, the Start Menu folder and QuietQuill's file type are nowhere;
# the other registrations are all there and EstimatedSize counts only what was written.
# shellcheck source=e2e.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e.sh"
e2e_begin "$@"

NAMES=(Zirvex PanelTwine CloakBeacon Tumbly MicroChime QuietQuill LockQZV Frostbin)
# Boxes 1006..1013 are the components in NAMES order; 1015 is "Start Menu Shortcuts".
UNTICKED=(Tumbly QuietQuill)
UNTICKED_BOXES=(1009 1011 1015)
CHOSEN=(Zirvex PanelTwine CloakBeacon MicroChime LockQZV Frostbin)
FOLDER='C:\Program Files\Tevorlyn'
DONE="Installation completed successfully."

e2e_start

e2e_log "untick ${UNTICKED[*]} and the shortcuts; the space figure follows"
commands=(wait-page "Please review" click 1 wait-page "Check the components")
expected=("page: Please review the license agreement before installing Tevorlyn App Pack. If you accept all terms of the agreement, click I Agree."
          "page: Check the components you want to install and uncheck the components you don't want to install. Click Next to continue.")
for id in "${UNTICKED_BOXES[@]}"; do
  commands+=(click "$id" checked "$id")
  expected+=("checked $id: 0")
done
for ((i = 0; i < ${#NAMES[@]}; i++)); do
  commands+=(checked $((1006 + i)))
  case " ${UNTICKED[*]} " in
    *" ${NAMES[i]} "*) expected+=("checked $((1006 + i)): 0") ;;
    *) expected+=("checked $((1006 + i)): 1") ;;
  esac
done
commands+=(click 1 wait-page "Setup will install" text 1018)
expected+=("page: Setup will install Tevorlyn App Pack in the following folder. To install in a different folder, click Browse and select another folder. Click Install to start the installation."
           "text 1018: Space required:  $(python3 "$E2E_HELPER" required-mb "$E2E_IMAGE" "${UNTICKED[@]}") MB")
drive "${commands[@]}"
printf '%s\n' "${expected[@]}" | expect_lines

e2e_log "Install, Show Details: the chosen programs and the uninstaller, no links"
drive click 1 wait-text 1003 "$DONE" progress click 5 list click 1 wait-exit
expected=("text 1003: $DONE" "progress: 100" "list-count: $((${#CHOSEN[@]} + 1))")
for name in "${CHOSEN[@]}"; do
  expected+=("list: $FOLDER\\$name.exe")
done
expected+=("list: $FOLDER\\uninstall.exe" "exit: window closed")
printf '%s\n' "${expected[@]}" | expect_lines
e2e_installer_exit

e2e_log "files: the chosen ones with the payload's bytes and times, the others absent"
python3 "$E2E_HELPER" files "$E2E_IMAGE" "$E2E_DRIVE_C/Program Files/Tevorlyn" >"$E2E_DIR/observed"
ls "$E2E_DRIVE_C/Program Files/Tevorlyn" >>"$E2E_DIR/observed"
expected=()
for name in "${NAMES[@]}"; do
  case " ${UNTICKED[*]} " in
    *" $name "*) expected+=("$name.exe: missing") ;;
    *) expected+=("$name.exe: <N> bytes, payload bytes, payload time") ;;
  esac
done
expected+=("uninstall.exe: <N> bytes, payload bytes")
printf '%s\n' "${expected[@]}" "${CHOSEN[@]/%/.exe}" uninstall.exe | expect_lines --any-order

e2e_log "no Start Menu folder"
menu="$E2E_DRIVE_C/ProgramData/Microsoft/Windows/Start Menu/Programs/Tevorlyn"
[[ ! -e $menu ]] || e2e_fail "the Start Menu folder was made: $(find "$menu" -mindepth 1 -printf "%f ")"

e2e_log "registry: no QuietQuill file type; everything else; EstimatedSize of what was written"
queries=()
for key in "${E2E_INSTALLED_KEYS[@]}"; do
  queries+=("reg query $key /s")
done
# A missing key shows as missing lines below, so the query's own status does not matter.
(IFS='&'; e2e_wine cmd /c "${queries[*]}" || true) | python3 "$E2E_HELPER" reg-values >"$E2E_DIR/observed"
S='HKEY_LOCAL_MACHINE\Software'
C="$S\\Classes"
U="$S\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tevorlyn"
expect_lines --any-order <<EOF
$S\\Tevorlyn [AppPath] REG_SZ $FOLDER\\
$U [DisplayIcon] REG_SZ $FOLDER\\uninstall.exe,0
$U [DisplayName] REG_SZ Tevorlyn App Pack (32-bit)
$U [DisplayVersion] REG_SZ 2610
$U [Publisher] REG_SZ Tevorlyn
$U [UninstallString] REG_SZ "$FOLDER\\uninstall.exe"
$U [EstimatedSize] REG_DWORD $(python3 "$E2E_HELPER" estimated-size "$E2E_IMAGE" "${UNTICKED[@]}")
$U [NoModify] REG_DWORD 0x1
$U [NoRepair] REG_DWORD 0x1
$C\\Directory\\shell\\MicroChime [(Default)] REG_SZ Play with MicroChime
$C\\Directory\\shell\\MicroChime\\command [(Default)] REG_SZ "$FOLDER\\MicroChime.exe" "%1"
$C\\SystemFileAssociations\\audio\\shell\\MicroChime [(Default)] REG_SZ Play with MicroChime
$C\\SystemFileAssociations\\audio\\shell\\MicroChime\\command [(Default)] REG_SZ "$FOLDER\\MicroChime.exe" "%1"
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

# reg-values shows only keys with values; an empty key left behind would not show there, but
# the driver's regdump prints any key that exists.
drive regdump 'HKLM\Software\Classes\.qtxt' regdump 'HKLM\Software\Classes\QuietQuill.Document'
expect_lines </dev/null
