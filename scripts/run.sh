#!/usr/bin/env bash
# The main job: installs what is missing, builds the installer and its 64-bit twin, and runs the
# twin under Wine in the project's prefix (build/wineprefix).
#
# With a reachable display ($DISPLAY) the installer is started for you to use, and the script
# waits for it. Without one, it runs on a private Xvfb display and the driver walks the wizard
# unattended (licence, components, destination, Install, Close), saving a screenshot of each
# page in build/screenshots/. Either way it ends by listing what was installed: the files, the
# Start Menu links and the installer's registry keys.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/setup.sh
bash scripts/build.sh
file build/win32/TevorlynSetup.exe build/win64/TevorlynSetup.exe

installer=$root/build/win64/TevorlynSetup.exe
driver=$root/build/win64/wine_driver.exe
shots=$root/build/screenshots
export WINEPREFIX=$root/build/wineprefix
DONE="Installation completed successfully."

installer_pid=
xvfb_pid=
work=

log() { printf '== %s\n' "$*"; }

# Ends what this script started, by process id.
cleanup() {
  local status=$?
  if [[ -n $installer_pid ]] && kill -0 "$installer_pid" 2>/dev/null; then
    kill "$installer_pid" 2>/dev/null || true
    wait "$installer_pid" 2>/dev/null || true
  fi
  if [[ -n $xvfb_pid ]]; then
    # The prefix's server keeps the display open until its last program has gone.
    timeout 30 wineserver -w 2>/dev/null || true
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  [[ -z $work ]] || rm -rf "$work"
  exit "$status"
}
trap cleanup EXIT

display_reachable() {
  [[ -n ${DISPLAY:-} ]] && timeout 10 xwininfo -root >/dev/null 2>&1
}

start_xvfb() {
  work=$(mktemp -d)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  local tries=0
  while [[ ! -s $work/display ]]; do
    kill -0 "$xvfb_pid" 2>/dev/null || { cat "$work/xvfb.log"; echo "Xvfb did not start" >&2; exit 1; }
    ((++tries < 100)) || { echo "Xvfb gave no display number" >&2; exit 1; }
    sleep 0.1
  done
  DISPLAY=":$(head -n 1 "$work/display")"
  export DISPLAY
}

drive() { scripts/wine-run.sh "$driver" "$@"; }

# screenshot NAME: the frame's client area (no window manager draws a caption here).
screenshot() {
  local rect x y w h
  # Painting follows the page switch; give it a moment before the picture is taken.
  rect=$(drive sleep 500 rect)
  read -r _ x y w h <<<"$rect"
  import -window root -display "$DISPLAY" -crop "${w}x${h}+${x}+${y}" +repage "$shots/$1.png"
  echo "screenshot: $shots/$1.png"
}

walk_wizard() {
  mkdir -p "$shots"
  rm -f "$shots"/*.png
  log "walking the wizard on the virtual display $DISPLAY"
  drive wait-page "Please review" wait-focus 1
  screenshot 1-licence
  drive click 1 wait-page "Check the components"
  screenshot 2-components
  drive click 1 wait-page "Setup will install" text 1005 text 1018 text 1017
  screenshot 3-destination
  drive click 1 wait-text 1003 "$DONE" progress click 5
  screenshot 4-progress
  drive click 1 wait-exit
}

# Waits for the installer and reports its exit code (always 0 by design).
installer_exit() {
  local status=0
  wait "$installer_pid" || status=$?
  installer_pid=
  echo "installer exit code: $status"
  return "$status"
}

show_installed() {
  local folder="$WINEPREFIX/drive_c/Program Files/Tevorlyn"
  local links="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Tevorlyn"
  log "files in C:\\Program Files\\Tevorlyn ($folder)"
  if [[ -d $folder ]]; then
    TZ=UTC find "$folder" -maxdepth 1 -type f -printf '  %f  %s bytes  %TY-%Tm-%Td %TH:%TM UTC\n' | LC_ALL=C sort
  else
    echo "  (none)"
  fi
  log "Start Menu links ($links)"
  if [[ -d $links ]]; then
    local link
    for link in "$links"/*.lnk; do
      printf '  %s -> %s\n' "$(basename "$link")" \
        "$(lnkinfo "$link" | sed -n 's/^[[:space:]]*Local path[[:space:]]*: //p')"
    done
  else
    echo "  (none)"
  fi
  log "registry"
  local key values
  # The installer's own key, the uninstall entry, the three file types and the MicroChime verb.
  local classes='HKLM\Software\Classes'
  for key in 'HKLM\Software\Tevorlyn' 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tevorlyn' \
             "$classes\.qtxt" "$classes\QuietQuill.Document" "$classes\.qzv" "$classes\LockQZV.File" \
             "$classes\.fro" "$classes\Frostbin.File" "$classes\Directory\shell\MicroChime" \
             "$classes\SystemFileAssociations\audio\shell\MicroChime"; do
    if values=$(scripts/wine-run.sh reg query "$key" /s 2>/dev/null); then
      tr -d '\r' <<<"$values" | sed '/^$/d; s/^/  /'
    else
      echo "  $key: (none)"
    fi
  done
}

# Make the prefix now, and let a server left from an earlier run go: a new one must start on
# the display chosen below.
scripts/wine-run.sh --version >/dev/null
timeout 60 wineserver -w || true

if display_reachable; then
  log "starting the installer on $DISPLAY; the script goes on when it ends"
  scripts/wine-run.sh "$installer" &
  installer_pid=$!
  installer_exit
else
  start_xvfb
  scripts/wine-run.sh "$installer" >"$work/installer.log" 2>&1 &
  installer_pid=$!
  walk_wizard
  installer_exit
fi
show_installed
