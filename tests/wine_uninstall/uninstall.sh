#!/usr/bin/env bash
# The uninstaller under wine64, checked from outside: an installation through the twin's
# wizard (the end-to-end driver clicks through it), the question answered No (nothing changes),
# then Yes with a person's file in the installation folder (every file, link, key and value of
# the pack goes; the person's file and its folder stay; uninstall.exe is scheduled for removal
# at restart), the restart, and installing again (complete).
#
#   uninstall.sh DRIVER INSTALLER UNINSTALLER ANSWER WORK
#
# DRIVER: tests/wine/driver.cpp built; INSTALLER: the win64 twin; UNINSTALLER: uninstall.exe
# built for x86-64 (the twin installs the 32-bit one of the pack, which wine64 cannot run, so
# this build of the same sources takes its place); ANSWER: box_answer.exe; WORK: scratch.
# shellcheck source=wine_env.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine_env.sh"
[[ $# -eq 5 ]] || { echo "usage: $0 DRIVER INSTALLER UNINSTALLER ANSWER WORK" >&2; exit 2; }
DRIVER=$(realpath "$1")
INSTALLER=$(realpath "$2")
UNINSTALLER=$(realpath "$3")
ANSWER=$(realpath "$4")
env_begin "$5"

NAMES=(Zirvex PanelTwine CloakBeacon Tumbly MicroChime QuietQuill LockQZV Frostbin)
FOLDER="$DRIVE_C/Program Files/Tevorlyn"
MENU="$DRIVE_C/ProgramData/Microsoft/Windows/Start Menu/Programs/Tevorlyn"
PROGRAM='C:\Program Files\Tevorlyn\uninstall.exe'
KEYS=(
  'HKLM\Software\Tevorlyn'
  'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tevorlyn'
  'HKLM\Software\Classes\Directory\shell\MicroChime'
  'HKLM\Software\Classes\SystemFileAssociations\audio\shell\MicroChime'
  'HKLM\Software\Classes\.qtxt' 'HKLM\Software\Classes\QuietQuill.Document'
  'HKLM\Software\Classes\.qzv' 'HKLM\Software\Classes\LockQZV.File'
  'HKLM\Software\Classes\.fro' 'HKLM\Software\Classes\Frostbin.File'
)
SESSION='HKLM\System\CurrentControlSet\Control\Session Manager'
QUESTION='Remove Tevorlyn App Pack and all of its components?'
REMOVED='Tevorlyn App Pack was removed from your computer.'

# Waits for a background program's end; its exit code must be 0.
finish() {
  local pid=$1 what=$2 waited=0 status=0
  while kill -0 "$pid" 2>/dev/null; do
    ((waited++ < 300)) || env_fail "$what is still running"
    sleep 0.1
  done
  wait "$pid" || status=$?
  [[ $status -eq 0 ]] || env_fail "$what ended with exit code $status"
}

install() {
  env_wine "$INSTALLER" >"$ENV_DIR/installer.log" 2>&1 &
  local pid=$!
  ENV_PIDS+=("$pid")
  env_wine "$DRIVER" wait-page "Please review" click 1 wait-page "Check the components" click 1 \
    wait-page "Setup will install" click 1 wait-text 1003 "Installation completed successfully." \
    click 1 wait-exit >"$ENV_DIR/driver.out" 2>&1 || { cat "$ENV_DIR/driver.out"; env_fail "driver"; }
  finish "$pid" "the installer"
  cp "$UNINSTALLER" "$FOLDER/uninstall.exe"
}

# Starts the installed uninstaller and answers its boxes with these buttons; their texts land in
# $ENV_DIR/boxes. With a last word "wait" the next box stays open (and the uninstaller running)
# until uninstall_end.
UNINSTALL_PID=
uninstall_start() {
  env_wine "$PROGRAM" >"$ENV_DIR/uninstaller.log" 2>&1 &
  UNINSTALL_PID=$!
  ENV_PIDS+=("$UNINSTALL_PID")
  answer "$@"
}

answer() {
  env_wine "$ANSWER" "$@" 2>&1 | tr -d '\r' >"$ENV_DIR/boxes" || { cat "$ENV_DIR/boxes"; env_fail "answering the boxes"; }
}

uninstall_end() {
  [[ $# -eq 0 ]] || answer "$@"
  finish "$UNINSTALL_PID" "the uninstaller"
}

# The restart-time operations recorded now. They must be read while this Wine session lasts:
# the next session starts the way a restart does and carries them out.
pending() {
  env_wine reg query "$SESSION" /v PendingFileRenameOperations 2>&1 | tr -d '\r' >"$ENV_DIR/pending" || true
}

# The next session, with what a restart does.
restart() {
  timeout 60 wineserver -w || true
  env_wine wineboot -r >/dev/null 2>&1
  timeout 60 wineserver -w || true
}

# What the pack has on the machine: files and links, and the keys with every value below them.
# One cmd for all keys, as each Wine start costs a good part of a second.
snapshot() {
  local out=$1 key queries=()
  {
    echo "folder:"
    (cd "$DRIVE_C/Program Files" && { find Tevorlyn 2>/dev/null || true; } | sort)
    echo "links:"
    (cd "${MENU%/*}" && { find Tevorlyn 2>/dev/null || true; } | sort)
  } >"$out"
  for key in "${KEYS[@]}"; do
    queries+=("(reg query $key /s >nul 2>nul && reg query $key /s || echo missing: $key)")
  done
  # A missing key shows as its "missing:" line, so neither cmd's status nor reg's complaint
  # (which reaches the console past the redirection) matters.
  (IFS='&'; env_wine cmd /c "${queries[*]}" || true) | tr -d '\r' | sed '/^$/d; /^reg: /d' >>"$out"
}

# HKLM\Software as the prefix's registry file holds it, without the keys' time stamps. The
# server writes the file when it ends, so this waits for that first (regedit's export of the
# same takes many times longer).
software_keys() {
  timeout 60 wineserver -w || true
  awk '/^\[/ { keep = ($0 ~ /^\[Software\\\\/); sub(/\] [0-9]+$/, "]") } /^#time=/ { next } keep' \
    "$WINEPREFIX/system.reg" >"$1"
}

env_log "registry before the installation"
# Windows has these parents of the verb keys; a fresh Wine prefix does not. The uninstaller
# leaves the parents alone, so they are made here, as they would be there.
env_wine cmd /c 'reg add HKLM\Software\Classes\Directory\shell /f >nul & reg add HKLM\Software\Classes\SystemFileAssociations\audio\shell /f >nul'
software_keys "$ENV_DIR/software.before"
snapshot "$ENV_DIR/absent"

env_log "installation through the wizard"
install
snapshot "$ENV_DIR/installed"
for name in "${NAMES[@]}"; do
  [[ -f $FOLDER/$name.exe && -f $MENU/$name.lnk ]] || env_fail "$name was not installed"
done

env_log "answered No: nothing changes"
uninstall_start no
uninstall_end
printf 'box: %s\n' "$QUESTION" >"$ENV_DIR/expected"
expect_same "$ENV_DIR/expected" "$ENV_DIR/boxes" "the boxes answered No"
snapshot "$ENV_DIR/observed"
expect_same "$ENV_DIR/installed" "$ENV_DIR/observed" "what answering No left"

env_log "answered Yes, with a person's file in the folder"
echo "my notes" >"$FOLDER/notes.txt"
uninstall_start yes wait
printf 'box: %s\n' "$QUESTION" "$REMOVED" >"$ENV_DIR/expected"
expect_same "$ENV_DIR/expected" "$ENV_DIR/boxes" "the boxes answered Yes"
# Looked at while the last box is still open: the removal is done, the session still lasts.
pending
grep -Fq 'C:\Program Files\Tevorlyn\uninstall.exe' "$ENV_DIR/pending" ||
  { cat "$ENV_DIR/pending"; env_fail "uninstall.exe is not scheduled for removal"; }
if grep -Eq 'C:\\Program Files\\Tevorlyn(\\0|$)' "$ENV_DIR/pending"; then
  cat "$ENV_DIR/pending"
  env_fail "the folder holding a person's file is scheduled for removal"
fi
snapshot "$ENV_DIR/observed"
{
  echo "folder:"
  printf '%s\n' Tevorlyn Tevorlyn/notes.txt Tevorlyn/uninstall.exe
  echo "links:"
  sed -n '/^missing: /p' "$ENV_DIR/absent"
} >"$ENV_DIR/expected"
expect_same "$ENV_DIR/expected" "$ENV_DIR/observed" "what the uninstaller left"
uninstall_end ok
software_keys "$ENV_DIR/software.after"
expect_same "$ENV_DIR/software.before" "$ENV_DIR/software.after" "HKLM\\Software before installing and after uninstalling"

env_log "restart: uninstall.exe goes, the person's file and its folder stay"
restart
[[ ! -e $FOLDER/uninstall.exe ]] || env_fail "uninstall.exe is still there after the restart"
[[ $(cat "$FOLDER/notes.txt") == "my notes" ]] || env_fail "the person's file is gone"

env_log "installing again"
rm "$FOLDER/notes.txt"
install
snapshot "$ENV_DIR/observed"
expect_same "$ENV_DIR/installed" "$ENV_DIR/observed" "the second installation"

env_log "uninstalling again, nothing else in the folder: the folder is scheduled too"
uninstall_start yes wait
pending
grep -Eq 'C:\\Program Files\\Tevorlyn\\uninstall.exe\\0\\0\\\?\?\\C:\\Program Files\\Tevorlyn(\\0|$)' "$ENV_DIR/pending" ||
  { cat "$ENV_DIR/pending"; env_fail "uninstall.exe and then its folder are not scheduled for removal"; }
uninstall_end ok
restart
[[ ! -e $FOLDER ]] || env_fail "the folder is still there after the restart"
snapshot "$ENV_DIR/observed"
expect_same "$ENV_DIR/absent" "$ENV_DIR/observed" "what is left after the restart"

env_log "passed"
