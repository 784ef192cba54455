# shellcheck shell=bash
# wine_env.sh - the uninstaller scenario's surroundings: a private X display (Xvfb), a private
# copy of the project's Wine prefix, programs run in it, and comparison of observed lines.
#
#   env_begin WORK            make WORK/NAME.XXXXXX, start Xvfb, copy the prefix; cleanup on exit
#   env_wine PROGRAM ARGS...  run a Windows program in the private prefix
#   env_log TEXT              a timed progress line
#   env_fail TEXT             end the scenario: message, screenshot WORK/NAME-failure.png, exit 1
#   expect_same EXPECTED OBSERVED WHAT   fail with a diff unless the two files are equal
#
# ENV_DIR is the scenario's scratch folder, DRIVE_C the prefix's C: folder.
set -euo pipefail

ENV_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
ENV_NAME=$(basename "$0" .sh)
ENV_XVFB_PID=
ENV_START=$(date +%s.%N)

env_log() { printf '[%s %6.1fs] %s\n' "$ENV_NAME" "$(echo "$(date +%s.%N) - $ENV_START" | bc)" "$*"; }

env_fail() {
  env_log "FAILED: $*"
  if [[ -n ${DISPLAY:-} ]]; then
    import -window root -display "$DISPLAY" "$ENV_WORK/$ENV_NAME-failure.png" 2>/dev/null &&
      env_log "screen at the failure: $ENV_WORK/$ENV_NAME-failure.png"
  fi
  exit 1
}

# Ends what this scenario started, by process id: background programs it recorded in
# ENV_PIDS, the private prefix's wineserver (which goes once its last client is gone), Xvfb.
ENV_PIDS=()
env_cleanup() {
  local status=$? pid
  for pid in "${ENV_PIDS[@]}"; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  if [[ -n ${WINEPREFIX:-} && -d $WINEPREFIX ]]; then
    timeout 30 wineserver -w 2>/dev/null || wineserver -k 2>/dev/null || true
  fi
  if [[ -n $ENV_XVFB_PID ]]; then
    kill "$ENV_XVFB_PID" 2>/dev/null || true
    wait "$ENV_XVFB_PID" 2>/dev/null || true
  fi
  [[ -n ${ENV_DIR:-} ]] && rm -rf "$ENV_DIR"
  exit "$status"
}

env_start_xvfb() {
  local display_file="$ENV_DIR/display" tries=0
  : >"$display_file"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" >"$ENV_DIR/xvfb.log" 2>&1 &
  ENV_XVFB_PID=$!
  while [[ ! -s $display_file ]]; do
    kill -0 "$ENV_XVFB_PID" 2>/dev/null || env_fail "Xvfb did not start: $(cat "$ENV_DIR/xvfb.log")"
    ((++tries < 100)) || env_fail "Xvfb gave no display number"
    sleep 0.1
  done
  DISPLAY=":$(head -n 1 "$display_file")"
  export DISPLAY
}

# A private copy of build/wineprefix (made on first use by scripts/wine-run.sh).
env_make_prefix() {
  local base="$ENV_ROOT/build/wineprefix"
  WINEPREFIX=$base "$ENV_ROOT/scripts/wine-run.sh" --version >/dev/null
  # The base's server writes its registry files when it goes; wait so the copy is whole.
  WINEPREFIX=$base timeout 60 wineserver -w || true
  cp -a "$(realpath "$base")" "$ENV_DIR/prefix"
  export WINEPREFIX="$ENV_DIR/prefix"
  DRIVE_C="$WINEPREFIX/drive_c"
}

env_begin() {
  mkdir -p "$1"
  ENV_WORK=$(realpath "$1")
  rm -f "$ENV_WORK/$ENV_NAME-failure.png"
  ENV_DIR=$(mktemp -d "$ENV_WORK/$ENV_NAME.XXXXXX")
  trap env_cleanup EXIT
  # The display first: the prefix's first Wine process fixes the display for all that follow.
  env_start_xvfb
  env_make_prefix
  env_log "prefix $WINEPREFIX, display $DISPLAY"
}

env_wine() { "$ENV_ROOT/scripts/wine-run.sh" "$@"; }

expect_same() {
  if ! diff -u "$1" "$2" >"$ENV_DIR/diff"; then
    cat "$ENV_DIR/diff"
    env_fail "$3"
  fi
}
