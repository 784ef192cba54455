#!/bin/sh
# payload-builder's checksum on tiny --from-image inputs with known values, and how it
# refuses bad command lines (exit 2) and bad inputs (exit 1).
# usage: payload_builder_cases.sh PAYLOAD_BUILDER WORKDIR
set -eu
builder=$1
work=$2
here=$(cd "$(dirname "$0")" && pwd)
rm -rf "$work"
mkdir -p "$work"
cd "$work"

fail() { echo "FAIL: $*" >&2; exit 1; }

# name | image bytes (printf format) | PAYLOAD_IMAGE_CHECKSUM
checksums='
empty||0x00000000
a|a|0x000000C2
abc|abc|0x00000556
wraps|\377\377\377\377\377\377\377\377\377\377\377\377\377\377\377\377\377\377\377\377\377\377\377\377\377\377\377\377\377\377\377\377\377\377\377\377\377\377\377\377|0x0001FB02
'
echo "$checksums" | while IFS='|' read -r name bytes want; do
  [ -n "$name" ] || continue
  # shellcheck disable=SC2059 # the format is the test data
  printf "$bytes" > "$name.in"
  "$builder" --from-image "$name.in" --resource "$name.res" --numbers "$name.cpp" \
    --image "$name.img" > /dev/null || fail "checksum $name: builder failed"
  grep -qx "extern const DWORD PAYLOAD_IMAGE_CHECKSUM = ${want}u;" "$name.cpp" ||
    fail "checksum $name: expected $want, got: $(grep CHECKSUM "$name.cpp")"
  cmp "$name.in" "$name.img" || fail "checksum $name: --from-image changed the image"
  "$here/lzma_alone_from_resource.sh" "$name.res" "$name.lzma"
  xz --format=lzma -d -c "$name.lzma" | cmp - "$name.in" || fail "checksum $name: bad resource"
  python3 "$here/check_payload.py" "$name.img" "$name.cpp" "$name.res" || fail "checksum $name"
done

printf 'licence\r\n' > lic.txt
head -c 4194305 /dev/zero > big.img
head -c 4194304 /dev/zero > limit.img
nine='lic.txt filler:1@5 filler:2@5 filler:3@5 filler:4@5 filler:5@5 filler:6@5 filler:7@5 filler:8@5'
ten="$nine filler:9"
: > empty.txt
zeros='filler:0@5 filler:0@5 filler:0@5 filler:0@5 filler:0@5 filler:0@5 filler:0@5 filler:0@5'

# name | exit status | arguments (no spaces inside one) | text expected on stderr
errors="
nine entries|2|--resource out.res $nine|expected 10 entries
eleven entries|2|--resource out.res $ten lic.txt|expected 10 entries
mtime on row 0|2|--resource out.res lic.txt@5 ${ten#lic.txt }|rows 0 and 9
mtime on row 9|2|--resource out.res $nine filler:9@5|rows 0 and 9
zero mtime|2|--resource out.res lic.txt filler:1@0 ${ten#lic.txt filler:1@5 }|must not be 0
bad filler size|2|--resource out.res lic.txt filler:1x@5 ${ten#lic.txt filler:1@5 }|filler SIZE
no resource|2|$ten|--resource OUT is required
option without value|2|$ten --resource|needs a value
unknown option|2|--resourse out.res $ten|unknown option
from-image and entries|2|--resource out.res --from-image limit.img $ten|takes no entries
image over 4 MiB|1|--resource out.res empty.txt $zeros filler:4194185|more than the 4194304
from-image over 4 MiB|1|--resource out.res --from-image big.img|larger than 4194304
file over 4 MiB|1|--resource out.res big.img ${ten#lic.txt }|larger than 4194304
missing file|1|--resource out.res no-such-file ${ten#lic.txt }|no-such-file
unwritable output|1|--resource no-such-dir/out.res $ten|no-such-dir/out.res
image at 4 MiB|0|--fast --resource out.res empty.txt $zeros filler:4194184|
"
echo "$errors" | while IFS='|' read -r name want args message; do
  [ -n "$name" ] || continue
  rm -f out.res
  status=0
  # shellcheck disable=SC2086 # args is a word list on purpose
  "$builder" $args > stdout.txt 2> stderr.txt || status=$?
  [ "$status" -eq "$want" ] || fail "$name: exit $status, expected $want ($(cat stderr.txt))"
  if [ "$want" -ne 0 ]; then
    grep -qF -- "$message" stderr.txt || fail "$name: stderr lacks '$message': $(cat stderr.txt)"
    [ ! -e out.res ] || fail "$name: wrote a resource although it failed"
  else
    [ -s out.res ] || fail "$name: no resource written"
  fi
done

"$builder" --help > help.txt || fail "--help exited with $?"
for word in --resource --numbers --image --from-image --fast filler:SIZE FILETIME; do
  grep -qF -- "$word" help.txt || fail "--help does not mention $word"
done
echo "payload_builder_cases: ok"
