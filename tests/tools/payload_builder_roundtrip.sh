#!/bin/sh
# payload-builder end to end: builds small payloads, decodes them with the real xz,
# checks table and numbers independently, compares with xz -9e and checks reproducibility.
# usage: payload_builder_roundtrip.sh PAYLOAD_BUILDER WORKDIR
set -eu
builder=$1
work=$2
here=$(cd "$(dirname "$0")" && pwd)
rm -rf "$work"
mkdir -p "$work"
cd "$work"

fail() { echo "FAIL: $*" >&2; exit 1; }

printf 'Licence line one\r\nLicence line two\r\n' > licence.txt
printf 'a component whose name has an @ in it\n' > 'odd@name.txt'
: > empty.bin
seq 1 3000 > numbers.txt
printf 'MZ placeholder uninstaller' > uninstall.bin

t=134050000000000000
# name | options | ten entries (no spaces inside an entry)
cases="
mixed||licence.txt filler:5000@$t odd@name.txt@$((t + 1)) numbers.txt@4294967296 filler:70000@$t empty.bin@$t filler:1@1 filler:0@$t filler:300000@18446744073709551615 uninstall.bin
fast|--fast|licence.txt filler:5000@$t filler:6000@$t filler:7000@$t filler:8000@$t filler:9000@$t filler:10000@$t filler:11000@$t filler:12000@$t uninstall.bin
untimed||empty.bin filler:10 filler:20 filler:30 filler:40 filler:50 filler:60 filler:70 filler:80 empty.bin
"

echo "$cases" | while IFS='|' read -r name options entries; do
  [ -n "$name" ] || continue
  echo "== $name"
  # shellcheck disable=SC2086 # options and entries are word lists on purpose
  "$builder" $options --resource "$name.res" --numbers "$name.cpp" --image "$name.img" \
    $entries > "$name.out" || fail "$name: builder exited with $?"
  cat "$name.out"

  "$here/lzma_alone_from_resource.sh" "$name.res" "$name.lzma"
  xz --format=lzma -d -c "$name.lzma" > "$name.decoded" || fail "$name: xz cannot decode the resource"
  cmp "$name.decoded" "$name.img" || fail "$name: resource does not decode to the image"

  # shellcheck disable=SC2086
  python3 "$here/check_payload.py" "$name.img" "$name.cpp" "$name.res" $entries ||
    fail "$name: outputs disagree"

  grep -q "resource $(wc -c < "$name.res" | tr -d ' ') bytes" "$name.out" ||
    fail "$name: summary does not give the resource size"

  if [ -z "$options" ]; then
    ours=$(($(wc -c < "$name.res") - 5))
    theirs=$(($(xz --format=lzma -9e -c "$name.img" | wc -c) - 13))
    [ "$ours" -le "$theirs" ] || fail "$name: stream $ours bytes, xz -9e makes $theirs"
  fi

  # Same inputs, another output folder: byte-identical outputs.
  mkdir -p again
  # shellcheck disable=SC2086
  "$builder" $options --resource "again/$name.res" --numbers "again/$name.cpp" \
    --image "again/$name.img" $entries > /dev/null
  for ext in res cpp img; do
    cmp "$name.$ext" "again/$name.$ext" || fail "$name: .$ext differs between two runs"
  done
  [ ! -e "$name.res.tmp" ] || fail "$name: temporary file left behind"
done
echo "payload_builder_roundtrip: ok"
