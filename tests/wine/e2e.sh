# shellcheck shell=bash
# e2e.sh - shared by the scenario scripts of tests/wine: each scenario runs the installer on a
# private X display (Xvfb) in a private copy of the project's Wine prefix, so scenarios never
# see each other's installations, and works it with the driver.
#
# A scenario script is called as
#   SCENARIO.sh DRIVER INSTALLER IMAGE WORK
# (the driver and installer executables, the decoded payload image the installer carries, and a
# folder for the scenario's scratch files), sources this file and calls e2e_begin "$@" first.
#
#   e2e_start                 start the installer in the background
#   drive CMD...              run the driver; its lines go to $E2E_DIR/observed
#   expect_lines [--any-order]  compare $E2E_DIR/observed with the lines on stdin; <N> is a number
#   e2e_installer_exit        wait for the installer to end and check its exit code is 0
#   e2e_wine PROGRAM ARGS...  run another Windows program in the scenario's prefix
#
# Any failure ends the scenario with a message, a screenshot WORK/NAME-failure.png and exit 1.
set -euo pipefail

E2E_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
E2E_HELPER="$E2E_ROOT/tests/wine/e2e_helper.py"
E2E_NAME=$(basename "$0" .sh)
E2E_PID=
E2E_XVFB_PID=
# How long the installer may take to end once its window is gone.
E2E_EXIT_SECONDS=30

e2e_log() { printf '[%s %s] %s\n' "$E2E_NAME" "$(date +%T)" "$*"; }

e2e_fail() {
  e2e_log "FAILED: $*"
  if [[ -s ${E2E_DIR:-}/installer.log ]]; then
    e2e_log "the installer's output:"
    cat "$E2E_DIR/installer.log"
  fi
  if [[ -n $E2E_PID ]] && ! kill -0 "$E2E_PID" 2>/dev/null; then
    local status=0
    wait "$E2E_PID" || status=$?
    E2E_PID=
    e2e_log "the installer has ended, exit code $status"
  fi
  if [[ -n ${DISPLAY:-} ]]; then
    import -window root -display "$DISPLAY" "$E2E_WORK/$E2E_NAME-failure.png" 2>/dev/null &&
      e2e_log "screen at the failure: $E2E_WORK/$E2E_NAME-failure.png"
  fi
  exit 1
}

# Ends what this scenario started, by process id: the installer, then the prefix's own
# wineserver (which goes once its last client is gone), then the X server.
e2e_cleanup() {
  local status=$?
  if [[ -n $E2E_PID ]] && kill -0 "$E2E_PID" 2>/dev/null; then
    kill "$E2E_PID" 2>/dev/null || true
    wait "$E2E_PID" 2>/dev/null || true
  fi
  if [[ -n ${WINEPREFIX:-} && -d $WINEPREFIX ]]; then
    # Everything in this prefix was started by this scenario; -k is the last resort if the
    # server has not gone away by itself.
    timeout 30 wineserver -w 2>/dev/null || wineserver -k 2>/dev/null || true
  fi
  if [[ -n $E2E_XVFB_PID ]]; then
    kill "$E2E_XVFB_PID" 2>/dev/null || true
    wait "$E2E_XVFB_PID" 2>/dev/null || true
  fi
  [[ -n ${E2E_DIR:-} ]] && rm -rf "$E2E_DIR"
  exit "$status"
}

# Starts Xvfb on a display number it picks itself and exports DISPLAY.
e2e_start_xvfb() {
  local display_file="$E2E_DIR/display"
  : >"$display_file"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" >"$E2E_DIR/xvfb.log" 2>&1 &
  E2E_XVFB_PID=$!
  local tries=0
  while [[ ! -s $display_file ]]; do
    kill -0 "$E2E_XVFB_PID" 2>/dev/null || e2e_fail "Xvfb did not start: $(cat "$E2E_DIR/xvfb.log")"
    ((++tries < 100)) || e2e_fail "Xvfb gave no display number"
    sleep 0.1
  done
  DISPLAY=":$(head -n 1 "$display_file")"
  export DISPLAY
}

# What an installation leaves in a prefix: its folders under C: and its registry keys.
E2E_INSTALLED_FOLDERS=("Program Files/Tevorlyn" "ProgramData/Microsoft/Windows/Start Menu/Programs/Tevorlyn")
E2E_INSTALLED_KEYS=(
  'HKLM\Software\Tevorlyn'
  'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tevorlyn'
  'HKLM\Software\Classes\Directory\shell\MicroChime'
  'HKLM\Software\Classes\SystemFileAssociations\audio\shell\MicroChime'
  'HKLM\Software\Classes\.qtxt' 'HKLM\Software\Classes\QuietQuill.Document'
  'HKLM\Software\Classes\.qzv' 'HKLM\Software\Classes\LockQZV.File'
  'HKLM\Software\Classes\.fro' 'HKLM\Software\Classes\Frostbin.File'
)

# A private copy of the project's prefix (made on first use by scripts/wine-run.sh), without
# the traces of an installation that scripts/run.sh may have made there.
e2e_make_prefix() {
  local base="$E2E_ROOT/build/wineprefix" folder key deletes=()
  WINEPREFIX=$base "$E2E_ROOT/scripts/wine-run.sh" --version >/dev/null
  # The base's server saves its registry files when it goes; wait so the copy is whole.
  WINEPREFIX=$base timeout 60 wineserver -w || true
  cp -a "$base" "$E2E_DIR/prefix"
  export WINEPREFIX="$E2E_DIR/prefix"
  for folder in "${E2E_INSTALLED_FOLDERS[@]}"; do
    rm -rf "${WINEPREFIX:?}/drive_c/$folder"
  done
  # One cmd for all keys, as each Wine start costs a good part of a second. The key names
  # have no blanks, and quotes would not survive the way to cmd's command line.
  for key in "${E2E_INSTALLED_KEYS[@]}"; do
    deletes+=("reg delete $key /f >nul 2>nul")
  done
  local IFS='&'
  e2e_wine cmd /c "${deletes[*]}" >/dev/null 2>&1 || true
}

# E2E_IMAGE and E2E_DRIVE_C (the prefix's C: folder) are for the scenarios.
# shellcheck disable=SC2034
e2e_begin() {
  [[ $# -eq 4 ]] || { echo "usage: $0 DRIVER INSTALLER IMAGE WORK" >&2; exit 2; }
  mkdir -p "$4"
  E2E_DRIVER=$(realpath "$1")
  E2E_INSTALLER=$(realpath "$2")
  E2E_IMAGE=$(realpath "$3")
  E2E_WORK=$(realpath "$4")
  rm -f "$E2E_WORK/$E2E_NAME-failure.png"
  E2E_DIR=$(mktemp -d "$E2E_WORK/$E2E_NAME.XXXXXX")
  trap e2e_cleanup EXIT
  # The display first: the prefix's first Wine process fixes the display for all that follow.
  e2e_start_xvfb
  e2e_make_prefix
  E2E_DRIVE_C="$WINEPREFIX/drive_c"
  e2e_log "prefix $WINEPREFIX, display $DISPLAY"
}

e2e_wine() { "$E2E_ROOT/scripts/wine-run.sh" "$@"; }

e2e_start() {
  e2e_wine "$E2E_INSTALLER" >"$E2E_DIR/installer.log" 2>&1 &
  E2E_PID=$!
}

# Runs the driver; a failed command fails the scenario after showing what was observed.
drive() {
  if ! e2e_wine "$E2E_DRIVER" "$@" >"$E2E_DIR/observed" 2>"$E2E_DIR/driver.err"; then
    cat "$E2E_DIR/observed" "$E2E_DIR/driver.err"
    e2e_fail "driver: $*"
  fi
}

# shellcheck disable=SC2120 # its one option is optional
expect_lines() {
  cat >"$E2E_DIR/expected"
  python3 "$E2E_HELPER" expect "$@" "$E2E_DIR/expected" "$E2E_DIR/observed" || e2e_fail "unexpected observations"
}

e2e_installer_exit() {
  local waited=0 status=0
  while kill -0 "$E2E_PID" 2>/dev/null; do
    ((waited++ < E2E_EXIT_SECONDS * 10)) || e2e_fail "the installer is still running"
    sleep 0.1
  done
  wait "$E2E_PID" || status=$?
  E2E_PID=
  [[ $status -eq 0 ]] || e2e_fail "the installer ended with exit code $status"
  e2e_log "installer exit code 0"
}
