#!/usr/bin/env bash
# A second run over an earlier installation: the first run installs everything into the default
# folder; then "AppPath" is pointed at another existing folder (as an installation there would
# have left it), and the second run offers that folder on the Destination page, installs into
# it, and records it. The first installation's files stay where they were.
# (A folder chosen with Browse comes back the same way, but the picker is a shell dialog the
# driver does not work; the value it would leave is seeded instead.)
# shellcheck source=e2e.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e.sh"
e2e_begin "$@"

NAMES=(Zirvex PanelTwine CloakBeacon Tumbly MicroChime QuietQuill LockQZV Frostbin)
DEFAULT="C:\\Program Files\\Tevorlyn\\"
SEEDED='C:\Apps\Tev'
LINKS='C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Tevorlyn'
LICENCE="Please review the license agreement before installing Tevorlyn App Pack. If you accept all terms of the agreement, click I Agree."
COMPONENTS="Check the components you want to install and uncheck the components you don't want to install. Click Next to continue."
DESTINATION="Setup will install Tevorlyn App Pack in the following folder. To install in a different folder, click Browse and select another folder. Click Install to start the installation."
DONE="Installation completed successfully."
S='HKEY_LOCAL_MACHINE\Software'
UNINSTALL="$S\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tevorlyn"

# The two values that name the installation folder, as "KEY [NAME] TYPE DATA" lines.
folder_values() {
  (e2e_wine cmd /c "reg query $S\\Tevorlyn /v AppPath & reg query $UNINSTALL /v UninstallString" || true) |
    python3 "$E2E_HELPER" reg-values >"$E2E_DIR/observed"
}

# Licence, Components, Destination (its folder shown), Install, then "$@" on the last page.
install_run() {
  e2e_start
  drive wait-page "Please review" click 1 wait-page "Check the components" click 1 \
        wait-page "Setup will install" text 1005 click 1 wait-text 1003 "$DONE" "$@"
}

e2e_log "first run: everything into the default folder"
install_run click 1 wait-exit
printf '%s\n' "page: $LICENCE" "page: $COMPONENTS" "page: $DESTINATION" "text 1005: $DEFAULT" \
       "text 1003: $DONE" "exit: window closed" | expect_lines
e2e_installer_exit
folder_values
printf '%s\n' "$S\\Tevorlyn [AppPath] REG_SZ $DEFAULT" \
       "$UNINSTALL [UninstallString] REG_SZ \"${DEFAULT}uninstall.exe\"" | expect_lines

e2e_log "AppPath now names $SEEDED, an existing folder, without the closing backslash"
mkdir -p "$E2E_DRIVE_C/Apps/Tev"
e2e_wine reg add 'HKLM\Software\Tevorlyn' /v AppPath /t REG_SZ /d "$SEEDED" /f >/dev/null 2>&1 ||
  e2e_fail "reg add AppPath"

e2e_log "second run: the Destination page offers the recorded folder; Install; the details"
install_run click 5 list click 1 wait-exit
expected=("page: $LICENCE" "page: $COMPONENTS" "page: $DESTINATION" "text 1005: $SEEDED\\" "text 1003: $DONE"
          "list-count: 17")
for name in "${NAMES[@]}"; do
  expected+=("list: $SEEDED\\$name.exe" "list: $LINKS\\$name.lnk")
done
expected+=("list: $SEEDED\\uninstall.exe" "exit: window closed")
printf '%s\n' "${expected[@]}" | expect_lines
e2e_installer_exit

e2e_log "the payload's bytes and times in $SEEDED, and still in the default folder"
for folder in "Apps/Tev" "Program Files/Tevorlyn"; do
  python3 "$E2E_HELPER" files "$E2E_IMAGE" "$E2E_DRIVE_C/$folder" >"$E2E_DIR/observed"
  expected=()
  for name in "${NAMES[@]}"; do
    expected+=("$name.exe: <N> bytes, payload bytes, payload time")
  done
  expected+=("uninstall.exe: <N> bytes, payload bytes")
  printf '%s\n' "${expected[@]}" | expect_lines --any-order
done

e2e_log "AppPath and the uninstall entry name $SEEDED\\; the links point there (lnkinfo)"
folder_values
printf '%s\n' "$S\\Tevorlyn [AppPath] REG_SZ $SEEDED\\" \
       "$UNINSTALL [UninstallString] REG_SZ \"$SEEDED\\uninstall.exe\"" | expect_lines
: >"$E2E_DIR/observed"
for name in "${NAMES[@]}"; do
  target=$(lnkinfo "$E2E_DRIVE_C/ProgramData/Microsoft/Windows/Start Menu/Programs/Tevorlyn/$name.lnk" |
           sed -n 's/^[[:space:]]*Local path[[:space:]]*: //p')
  echo "$name.lnk: $target" >>"$E2E_DIR/observed"
done
for name in "${NAMES[@]}"; do
  echo "$name.lnk: $SEEDED\\$name.exe"
done | expect_lines
