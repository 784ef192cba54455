#!/usr/bin/env bash
# Builds the release twice from the same sources, in two fresh folders whose paths differ in
# name and length, and compares the executables byte for byte: no time stamp, build path or
# other accident of the build may reach the file. With REFERENCE (an unsigned release built
# elsewhere from these sources) that one must match too.
#
# usage: reproducible.sh REPO TOOLCHAIN_FILE PAYLOAD_BUILDER DEPS_DIR [REFERENCE]
set -euo pipefail
[[ $# -ge 4 ]] || { echo "usage: $0 REPO TOOLCHAIN_FILE PAYLOAD_BUILDER DEPS_DIR [REFERENCE]" >&2; exit 2; }
repo=$1 toolchain=$2 builder=$3 deps=$4 reference=${5:-}

work=$(mktemp -d "${TMPDIR:-/tmp}/tevorlyn-repro.XXXXXX")
trap 'rm -rf "$work"' EXIT

# Unsigned whatever the environment holds: a signature carries a signing time.
build() {
    local dir=$1
    if ! cmake -S "$repo" -B "$dir" -G Ninja -DTEVORLYN_BUILD=win32 -DCMAKE_BUILD_TYPE=MinSizeRel \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DPAYLOAD_BUILDER="$builder" -DTEVORLYN_DEPS_DIR="$deps" \
        -DTEVORLYN_SIGN_CERT= -DTEVORLYN_SIGN_KEY= -DTEVORLYN_SIGN_PKCS12= >"$dir.log" 2>&1 ||
        ! cmake --build "$dir" --target TevorlynSetup >>"$dir.log" 2>&1; then
        tail -n 40 "$dir.log" >&2
        echo "FAILED: build in $dir" >&2
        exit 1
    fi
}

first=$work/a
second=$work/second-build-with-a-longer-path
build "$first"
build "$second"

status=0
compare() {
    if cmp "$1" "$2"; then
        echo "ok: $3"
    else
        echo "FAILED: $3" >&2
        status=1
    fi
}
compare "$first/TevorlynSetup.exe" "$second/TevorlynSetup.exe" "two clean builds are byte-identical"
compare "$first/payload/payload.bin" "$second/payload/payload.bin" "their payloads are byte-identical"
if [[ -n $reference ]]; then
    compare "$first/TevorlynSetup.exe" "$reference" "the configuration's own release matches (built from these sources?)"
fi
exit $status
