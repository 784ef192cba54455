# shellcheck shell=bash
# mingw-toolchain.sh - make the unversioned MinGW compiler names mean -posix.
#
# Debian ships each MinGW gcc in a "win32" and a "posix" threading flavour and
# picks between them with update-alternatives; win32 wins on priority when both
# are installed. The project builds with the posix flavour (std::thread and
# friends work, and liblzma plus the installer are tested with it), so the
# plain <triple>-gcc / <triple>-g++ names are pointed at it explicitly.

MINGW_TRIPLES=(i686-w64-mingw32 x86_64-w64-mingw32)

mingw_select_posix() {
    local triple tool alt want
    for triple in "${MINGW_TRIPLES[@]}"; do
        for tool in gcc g++; do
            alt=$triple-$tool
            want=/usr/bin/$alt-posix
            [[ -x $want ]] || die "$want is missing (package g++-mingw-w64-${triple%%-*}-posix?)"
            if [[ $(readlink -f "/usr/bin/$alt" 2>/dev/null) != "$(readlink -f "$want")" ]]; then
                log "pointing $alt at the posix flavour"
                update-alternatives --quiet --set "$alt" "$want"
                summary_add "alternatives: $alt -> $want"
            fi
            command -v "$alt" >/dev/null || die "$alt is not on PATH"
        done
    done
}
