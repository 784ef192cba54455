# shellcheck shell=bash
# deb-src.sh - make Debian source packages reachable for apt-get source.
#
# liblzma for MinGW is built from Debian's own xz-utils source so that the
# Windows build uses the same, security-patched code as the host. That needs
# deb-src entries for every suite the binaries come from (the patched
# xz-utils lives in bookworm-security, not in bookworm itself).

DEB822_MAIN=/etc/apt/sources.list.d/debian.sources
DEBSRC_EXTRA=/etc/apt/sources.list.d/tevorlyn-deb-src.list

# Whether the source index already offers PACKAGE at exactly VERSION.
debsrc_has_version() {
    local pkg=$1 version=$2
    apt-cache showsrc --only-source "$pkg" 2>/dev/null |
        grep -qx "Version: ${version}"
}

# Adds deb-src next to each deb entry. For the deb822 file the Types line of
# every stanza that only says "deb" gains "deb-src", which mirrors exactly the
# suites and mirrors already trusted. A one-line-format machine gets a
# separate file derived from its deb lines. Both edits are no-ops on re-run.
debsrc_add_entries() {
    local changed=0
    if [[ -f $DEB822_MAIN ]]; then
        if grep -qE '^Types:[[:space:]]*deb[[:space:]]*$' "$DEB822_MAIN"; then
            sed -i -E 's/^Types:[[:space:]]*deb[[:space:]]*$/Types: deb deb-src/' "$DEB822_MAIN"
            log "added deb-src to the Types lines of $DEB822_MAIN"
            changed=1
        fi
    elif [[ -f /etc/apt/sources.list && ! -f $DEBSRC_EXTRA ]]; then
        if grep -qE '^[[:space:]]*deb[[:space:]]' /etc/apt/sources.list; then
            sed -nE 's/^[[:space:]]*deb([[:space:]])/deb-src\1/p' /etc/apt/sources.list > "$DEBSRC_EXTRA"
            log "wrote $DEBSRC_EXTRA from /etc/apt/sources.list"
            changed=1
        fi
    fi
    [[ $changed -eq 0 ]] || summary_add "apt sources: deb-src entries added"
    return 0
}

# debsrc_ensure PACKAGE VERSION - after this, apt-get source PACKAGE=VERSION
# can work. Costs nothing when the local index already lists the version.
debsrc_ensure() {
    local pkg=$1 version=$2
    debsrc_has_version "$pkg" "$version" && return 0
    debsrc_add_entries
    apt_invalidate
    apt_update_once
    debsrc_has_version "$pkg" "$version" ||
        die "source package $pkg $version is not offered by any deb-src entry (is the binary newer than the archive, or are deb-src entries missing?)"
}
