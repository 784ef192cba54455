# shellcheck shell=bash
# apt.sh - install Debian packages, but only touch apt when something is missing.
#
# CI runs set-up on every run, so the common case is "everything is there":
# that path must cost one dpkg-query call and no network.

export DEBIAN_FRONTEND=noninteractive

# Whether apt-get update already ran in this invocation; a second update in
# the same run would only cost time.
APT_UPDATED=0

apt_update_once() {
    if [[ $APT_UPDATED -eq 0 ]]; then
        log "apt-get update"
        apt-get update -q </dev/null >&2
        APT_UPDATED=1
    fi
}

# Forces the next apt_update_once to run again; needed after editing sources.
apt_invalidate() { APT_UPDATED=0; }

# Prints the packages from "$@" that are not fully installed, one a line.
# dpkg-query -W fails for names it has never seen, so each package is asked
# separately and any failure counts as missing.
apt_missing_packages() {
    local pkg status
    for pkg in "$@"; do
        status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
        [[ $status == "install ok installed" ]] || printf '%s\n' "$pkg"
    done
}

# apt_ensure_packages PKG... - installs whatever is missing; records the
# outcome for the summary.
apt_ensure_packages() {
    local -a missing
    mapfile -t missing < <(apt_missing_packages "$@")
    if [[ ${#missing[@]} -eq 0 ]]; then
        log "all $# packages are installed already"
        summary_add "packages: all $# present already, apt not run"
        return 0
    fi
    log "installing: ${missing[*]}"
    apt_update_once
    # Recommends are wanted, and asked for explicitly in case an image turns
    # them off: clang's fuzzer runtime (libclang-rt-14-dev) and llvm-symbolizer
    # for readable sanitizer traces only come in that way.
    apt-get install -y -q -o APT::Install-Recommends=true "${missing[@]}" </dev/null >&2
    summary_add "packages: installed ${missing[*]}"
}
