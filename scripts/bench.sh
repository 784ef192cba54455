#!/usr/bin/env bash
# bench.sh - builds what the benchmarks need and prints one table of four figures:
#   (a) payload decoding: the installer's DecodePayloadStream + PayloadChecksum over liblzma's
#       .lzma decoder and over `xz --format=lzma -d`, on the same stream      (aim <= 1.05)
#   (b) the payload builder's stream over `xz --format=lzma -9e`'s             (aim <= 1.00)
#   (c) the installer's own bytes in the release executable beside a bare MinGW message box
#   (d) the slowest install step's own time as a share of the 125 ms tick      (aim < 10 %)
# Times are CPU times (a busy machine stretches wall-clock times, not CPU times); (d) shows
# the steady clock as well. Needs the native and win32 builds; builds them when missing.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

native=$root/build/native
out=$root/build/bench
mkdir -p "$out"

if [ ! -f build/win32/payload/payload.bin ] || [ ! -f build/win32/TevorlynSetup.exe ]; then
  cmake --preset native >/dev/null
  cmake --build --preset native
  cmake --preset win32 >/dev/null
  cmake --build --preset win32
fi
cmake --preset native >/dev/null
cmake --build --preset native --target bench payload-builder fixture_release_sizes >/dev/null

product=$root/build/win32/payload
fixture=$native/tests/fixtures/release_sizes

# (a) the decoder on the product payload and on the release-size fixture.
for name in product fixture; do
  dir=${!name}
  "$native/bench/decode_bench" "$dir/payload.bin" --benchmark_repetitions=5 \
    --benchmark_report_aggregates_only=true --benchmark_format=json >"$out/decode_$name.json" 2>/dev/null
  # The same stream as an .lzma file for xz: properties, 8 bytes of unknown size, the stream.
  python3 - "$dir/payload.bin" "$out/$name.lzma" <<'PY'
import sys
data = open(sys.argv[1], "rb").read()
open(sys.argv[2], "wb").write(data[:5] + b"\xff" * 8 + data[5:])
PY
  "$native/tools/payload-builder" --from-image "$dir/image.bin" --resource "$out/rebuilt_$name.bin" \
    >"$out/builder_$name.txt"
  xz --format=lzma -9e -c "$dir/image.bin" >"$out/xz9e_$name.lzma"
done

# (c) a bare GUI program that only shows a message box, built as small as MinGW makes it.
cat >"$out/bare.c" <<'C'
#include <windows.h>
int WINAPI WinMain(HINSTANCE a, HINSTANCE b, LPSTR c, int d) {
  (void)a; (void)b; (void)c; (void)d;
  MessageBoxA(NULL, "Hello", "Bare", MB_OK);
  return 0;
}
C
i686-w64-mingw32-gcc -Os -s -mwindows -static -o "$out/bare.exe" "$out/bare.c"

# (d) the install steps.
"$native/bench/step_times" 9 >"$out/steps.txt"

python3 - "$out" "$root" <<'PY'
import json, os, re, resource, subprocess, sys, time
out, root = sys.argv[1], sys.argv[2]
sys.path.insert(0, os.path.join(root, "tests", "release"))
from pe_file import PeFile


def median_cpu_us(path, name):
    for b in json.load(open(path))["benchmarks"]:
        if b["name"] == name + "_median":
            scale = {"us": 1, "ms": 1e3, "ns": 1e-3}[b["time_unit"]]
            return b["cpu_time"] * scale
    raise SystemExit("no %s in %s" % (name, path))


def xz_cpu_us(lzma, runs=25):
    """CPU time per `xz -d` process (user + system), its start-up included."""
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    for _ in range(runs):
        subprocess.run(["xz", "--format=lzma", "-d", "-c", lzma], stdout=subprocess.DEVNULL, check=True)
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    return cpu / runs * 1e6


rows = []
for name, label in (("product", "product payload"), ("fixture", "release-size fixture")):
    ours = median_cpu_us(os.path.join(out, "decode_%s.json" % name), "InstallerDecode")
    lib = median_cpu_us(os.path.join(out, "decode_%s.json" % name), "LiblzmaAloneDecoder")
    xz = xz_cpu_us(os.path.join(out, name + ".lzma"))
    rows.append(("(a) decode, %s: installer / liblzma" % label, "%.3f" % (ours / lib),
                 "<= 1.05", "%.0f us vs %.0f us" % (ours, lib)))
    only = median_cpu_us(os.path.join(out, "decode_%s.json" % name), "InstallerDecodeOnly")
    rows.append(("    the decoder call alone / liblzma", "%.3f" % (only / lib), "-",
                 "%.0f us; the rest is PayloadChecksum" % only))
    rows.append(("(a) decode, %s: installer / xz -d" % label, "%.3f" % (ours / xz),
                 "<= 1.05", "%.0f us vs %.0f us per process" % (ours, xz)))

for name, label in (("product", "product payload"), ("fixture", "release-size fixture")):
    text = open(os.path.join(out, "builder_%s.txt" % name)).read()
    m = re.search(r"chose (.*?): stream (\d+) bytes; xz -9e stream (\d+) bytes", text)
    if not m:
        raise SystemExit("payload-builder printed no sizes:\n" + text)
    settings, ours, theirs = m.group(1), int(m.group(2)), int(m.group(3))
    # xz's own file, less its 13-byte header, as a check on the builder's figure.
    direct = os.path.getsize(os.path.join(out, "xz9e_%s.lzma" % name)) - 13
    rows.append(("(b) stream, %s: builder / xz -9e" % label, "%.4f" % (ours / direct), "<= 1.00",
                 "%d vs %d bytes; %s" % (ours, direct, settings)))

exe = os.path.join(root, "build", "win32", "TevorlynSetup.exe")
payload = sum(len(data) for rtype, name, _, data in PeFile(exe).resources() if rtype == 10 and name == 102)
own = os.path.getsize(exe) - payload
bare = os.path.getsize(os.path.join(out, "bare.exe"))
rows.append(("(c) installer's own bytes / bare message box", "%.2f" % (own / bare), "-",
             "%d bytes (%d - %d payload) vs %d bytes" % (own, os.path.getsize(exe), payload, bare)))

steps = open(os.path.join(out, "steps.txt")).read()
m = re.search(r"largest median ([\d.]+) ms = ([\d.]+)% .*?; cpu ([\d.]+) ms = ([\d.]+)%", steps)
rows.append(("(d) slowest install step / 125 ms tick", "%s %%" % m.group(4), "< 10 %",
             "cpu %s ms; steady clock %s ms = %s %%" % (m.group(3), m.group(1), m.group(2))))

width = max(len(r[0]) for r in rows)
print("%-*s  %9s  %8s  %s" % (width, "figure", "value", "aim", "detail"))
for r in rows:
    print("%-*s  %9s  %8s  %s" % (width, r[0], r[1], r[2], r[3]))
PY
