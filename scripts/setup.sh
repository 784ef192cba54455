#!/usr/bin/env bash
# setup.sh - prepare a Debian bookworm machine to build and test Tevorlyn Setup.
#
# Installs the host and MinGW toolchains plus the test tools, then builds a
# static liblzma for both MinGW targets into build/deps/. Run as root, from
# any directory, without a terminal. It is idempotent and CI runs it every
# time, so a prepared machine gets through it in seconds: apt is only used
# when a package is missing, and liblzma is only rebuilt when its stamp no
# longer matches the xz-utils source version or the build flags.
set -euo pipefail
# shellcheck source-path=SCRIPTDIR

SCRIPT_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
REPO_ROOT=$(cd "$SCRIPT_DIR/.." && pwd)

# shellcheck source=lib/common.sh
source "$SCRIPT_DIR/lib/common.sh"
# shellcheck source=lib/apt.sh
source "$SCRIPT_DIR/lib/apt.sh"
# shellcheck source=lib/deb-src.sh
source "$SCRIPT_DIR/lib/deb-src.sh"
# shellcheck source=lib/mingw-toolchain.sh
source "$SCRIPT_DIR/lib/mingw-toolchain.sh"
# shellcheck source=lib/mingw-lzma.sh
source "$SCRIPT_DIR/lib/mingw-lzma.sh"

PACKAGES=(
    # host build and unit tests
    build-essential cmake ninja-build pkg-config liblzma-dev xz-utils
    libgtest-dev googletest clang
    # memory checking of a plain build, fuzzing (libFuzzer's runtime), benchmarks
    valgrind libclang-rt-14-dev libbenchmark-dev
    # the Windows cross toolchain (posix threading flavour)
    g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
    binutils-mingw-w64 mingw-w64-tools
    # running and inspecting the Windows build: wine under a virtual X
    # display, screenshots, shortcut (.lnk) checks, signing. "wine" is
    # listed on its own because it owns /usr/bin/wine; wine64 only
    # recommends it. x11-utils: xwininfo, to tell whether a display is reachable.
    wine64 wine xvfb xauth imagemagick liblnk-utils file osslsigncode x11-utils
    # openssl: the throwaway code-signing certificate of the signing test
    openssl
    # tools and pack scripts
    python3
    # apt-get source and unpacking of xz-utils for the MinGW liblzma build
    # (the release's generated configure is used, so no autotools)
    dpkg-dev make
)

main() {
    local start=$SECONDS
    require_root
    cd "$REPO_ROOT"

    apt_ensure_packages "${PACKAGES[@]}"
    mingw_select_posix
    lzma_ensure_all "$REPO_ROOT"

    printf '\nTevorlyn Setup build machine ready (%ss)\n' "$((SECONDS - start))"
    printf '  %s\n' "${SETUP_SUMMARY[@]}"
    printf '  link liblzma statically with -DLZMA_API_STATIC\n'
}

main "$@"
