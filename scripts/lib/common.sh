# shellcheck shell=bash
# common.sh - logging and small helpers shared by the set-up scripts.
#
# Sourced, never run. Everything prints to stderr with a fixed prefix so a CI
# log shows at a glance which lines came from set-up and which from apt or make.

log()  { printf '[setup] %s\n' "$*" >&2; }
warn() { printf '[setup] warning: %s\n' "$*" >&2; }
die()  { printf '[setup] error: %s\n' "$*" >&2; exit 1; }

# Lines for the closing summary; each step adds what a reader of the CI log
# needs to know (what changed, where the results are).
SETUP_SUMMARY=()
summary_add() { SETUP_SUMMARY+=("$*"); }

require_root() {
    # apt and update-alternatives need root; sudo may not exist on a bare
    # machine, so there is no attempt to elevate, only a clear message.
    [[ $(id -u) -eq 0 ]] || die "run as root (apt-get and update-alternatives need it)"
}
