# shellcheck shell=bash
# mingw-lzma.sh - static, decoder-only liblzma for each MinGW target.
#
# The installer unpacks its payload with liblzma's raw LZMA1 decoder and must
# run without any DLL beside it, so it links liblzma statically. Debian has no
# MinGW build of liblzma, so it is built here from Debian's own xz-utils
# source (same upstream release and security patches as the host package).
#
# Layout under the repo's build tree (git-ignored):
#   build/deps/src/                  apt-get source output
#   build/deps/obj/<triple>/         out-of-tree configure/make directory
#   build/deps/<triple>/include/     lzma.h and lzma/
#   build/deps/<triple>/lib/         liblzma.a
#   build/deps/<triple>/liblzma.stamp  what was built, for skipping re-runs
#
# Consumers must define LZMA_API_STATIC, otherwise lzma.h declares the API as
# dllimport and the link against the static archive fails.

LZMA_SRC_PKG=xz-utils

# Compiled for size, with sections per function and datum for the installer's --gc-sections
# and no unwind tables (C code that nothing unwinds through). Part of the stamp as well.
LZMA_CFLAGS="-Os -ffunction-sections -fdata-sections -fno-asynchronous-unwind-tables -fno-unwind-tables"

# Only what the installer needs: LZMA1/LZMA2 decoding, no tools, no threads
# (the raw decoder is single-threaded anyway), nothing translated or
# documented. Part of the stamp, so changing a flag here forces a rebuild.
# shellcheck disable=SC2054 # the commas belong to the option values
LZMA_CONFIGURE_FLAGS=(
    --enable-static --disable-shared
    --disable-encoders --enable-decoders=lzma1,lzma2
    --enable-checks=crc32
    --disable-microlzma --disable-lzip-decoder
    --disable-xz --disable-xzdec --disable-lzmadec --disable-lzmainfo
    --disable-lzma-links --disable-scripts --disable-doc --disable-nls
    --disable-threads --disable-dependency-tracking
)

# Version of the xz-utils source to build: the one behind the installed host
# package, so host and Windows builds share the same patched code, and a
# version that can be read offline (re-runs must not touch the network).
lzma_wanted_version() {
    dpkg-query -W -f='${source:Version}' "$LZMA_SRC_PKG" 2>/dev/null ||
        die "$LZMA_SRC_PKG is not installed; it should have been by now"
}

# lzma_stamp_text VERSION TRIPLE - the exact content a finished build writes.
# Comparing whole texts covers version, flags and compiler in one check.
lzma_stamp_text() {
    local version=$1 triple=$2
    printf 'source=%s %s\n' "$LZMA_SRC_PKG" "$version"
    printf 'compiler=%s\n' "$("$triple-gcc" -dumpversion)"
    printf 'flags=%s\n' "${LZMA_CONFIGURE_FLAGS[*]}"
    printf 'cflags=%s\n' "$LZMA_CFLAGS"
}

# lzma_is_current DEPS_DIR VERSION TRIPLE
lzma_is_current() {
    local prefix=$1/$3
    [[ -f $prefix/lib/liblzma.a && -f $prefix/include/lzma.h && -f $prefix/liblzma.stamp ]] &&
        [[ $(cat "$prefix/liblzma.stamp") == "$(lzma_stamp_text "$2" "$3")" ]]
}

# lzma_fetch_source DEPS_DIR VERSION - sets LZMA_SRC_DIR to the unpacked
# source. A variable rather than output, because a command substitution would
# run apt and the summary bookkeeping in a subshell and lose both. An unpacked
# tree of the right version is reused; anything else is replaced.
lzma_fetch_source() {
    local deps=$1 version=$2
    local upstream=${version#*:}
    upstream=${upstream%-*}
    local srcroot=$deps/src
    local dir=$srcroot/$LZMA_SRC_PKG-$upstream

    if [[ -f $dir/debian/changelog ]] &&
        [[ $(dpkg-parsechangelog -l "$dir/debian/changelog" -S Version) == "$version" ]]; then
        LZMA_SRC_DIR=$dir
        return 0
    fi

    debsrc_ensure "$LZMA_SRC_PKG" "$version"
    rm -rf "$srcroot"
    mkdir -p "$srcroot"
    log "fetching source $LZMA_SRC_PKG=$version"
    # Running as root, apt cannot drop to the _apt user for a download into a
    # root-owned directory; saying so up front avoids a warning per run.
    (cd "$srcroot" &&
        apt-get source -q -o APT::Sandbox::User=root "$LZMA_SRC_PKG=$version" </dev/null >&2)
    [[ -f $dir/configure ]] || die "no configure script in $dir"
    LZMA_SRC_DIR=$dir
}

# lzma_build DEPS_DIR SRC_DIR VERSION TRIPLE
lzma_build() {
    local deps=$1 src=$2 version=$3 triple=$4
    local prefix=$deps/$triple
    local obj=$deps/obj/$triple

    log "building liblzma $version for $triple"
    rm -rf "$obj" "$prefix"
    mkdir -p "$obj"
    # dpkg-source gives patched files a fresh mtime. None of the patches touch
    # autotools inputs, but a clock skew or a future patch that did would make
    # make try to rerun automake, which is deliberately not installed; giving
    # the generated files a newer mtime than their inputs keeps them current.
    touch "$src/aclocal.m4"
    touch "$src/configure" "$src/config.h.in"
    find "$src" -name Makefile.in -exec touch {} +

    # -ffile-prefix-map keeps the build directory out of the objects (assert
    # messages carry __FILE__), so the archive depends on neither path nor time.
    (cd "$obj" &&
        "$src/configure" --host="$triple" --prefix="$prefix" \
            "${LZMA_CONFIGURE_FLAGS[@]}" \
            CFLAGS="$LZMA_CFLAGS -ffile-prefix-map=$src=$LZMA_SRC_PKG" \
            </dev/null >"$obj/configure.log" 2>&1) ||
        { tail -n 30 "$obj/configure.log" >&2; die "configure failed for $triple (log: $obj/configure.log)"; }
    (cd "$obj" && make -j"$(nproc)" install </dev/null >"$obj/make.log" 2>&1) ||
        { tail -n 30 "$obj/make.log" >&2; die "make failed for $triple (log: $obj/make.log)"; }

    [[ -f $prefix/lib/liblzma.a && -f $prefix/include/lzma.h ]] ||
        die "liblzma for $triple did not install where expected ($prefix)"
    # Only static linking is supported; libtool's .la would point consumers at
    # the absolute build path for nothing.
    rm -f "$prefix/lib/liblzma.la"
    # make install leaves an empty bin/ behind with every tool disabled.
    rmdir "$prefix/bin" 2>/dev/null || true
    lzma_stamp_text "$version" "$triple" >"$prefix/liblzma.stamp"
}

# lzma_ensure_all REPO_ROOT - the entry point: build what is missing or stale.
lzma_ensure_all() {
    local deps=$1/build/deps
    local version triple
    LZMA_SRC_DIR=
    version=$(lzma_wanted_version)
    for triple in "${MINGW_TRIPLES[@]}"; do
        if lzma_is_current "$deps" "$version" "$triple"; then
            log "liblzma for $triple is current ($version)"
            summary_add "liblzma $triple: $deps/$triple (up to date, $version)"
            continue
        fi
        [[ -n $LZMA_SRC_DIR ]] || lzma_fetch_source "$deps" "$version"
        lzma_build "$deps" "$LZMA_SRC_DIR" "$version" "$triple"
        summary_add "liblzma $triple: $deps/$triple (built, $version)"
    done
}
