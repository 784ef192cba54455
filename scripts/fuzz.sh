#!/usr/bin/env bash
# fuzz.sh - builds the libFuzzer targets of tests/fuzz with clang and runs them.
#   scripts/fuzz.sh smoke            a bounded run of every target (part of the test command);
#                                    ends with "fuzz smoke: P passed, F failed"
#   scripts/fuzz.sh long [seconds]   every target for longer (default 300 s each), growing the
#                                    corpus under tests/fuzz/corpus/<target>/
# The targets need the native build's payload-builder; it is built when missing.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

mode=${1:-smoke}
seconds=${2:-300}
case "$mode" in
  smoke | long) ;;
  *) echo "usage: $0 smoke | long [seconds]" >&2; exit 2 ;;
esac

targets=(fuzz_load_payload fuzz_load_payload_numbers fuzz_directory_chain fuzz_append_slash
         fuzz_format_unsigned fuzz_registry_path)
builder=$root/build/native/tools/payload-builder
build=$root/build/fuzz
start=$SECONDS

if [ ! -x "$builder" ]; then
  cmake --preset native >/dev/null
  cmake --build --preset native --target payload-builder
fi
cmake -S tests/fuzz -B "$build" -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DPAYLOAD_BUILDER="$builder" >/dev/null
cmake --build "$build"
rm -rf "$build/seeds"
python3 tests/fuzz/make_seeds.py "$build/seeds" "$build/small_payload"
built=$((SECONDS - start))

passed=0
failed=0
for target in "${targets[@]}"; do
  log=$build/$target.log
  corpus=$root/tests/fuzz/corpus/$target
  if [ "$mode" = smoke ]; then
    # New inputs go to a scratch folder; the kept corpus is only read.
    scratch=$build/smoke/$target
    rm -rf "$scratch"
    mkdir -p "$scratch"
    dirs=("$scratch" "$build/seeds/$target")
    [ -d "$corpus" ] && dirs+=("$corpus")
    limits=(-runs=300000 -max_total_time=10 -seed=1)
  else
    mkdir -p "$corpus"
    cp -n "$build/seeds/$target"/* "$corpus"/
    dirs=("$corpus")
    limits=(-max_total_time="$seconds")
  fi
  t0=$SECONDS
  if "$build/$target" "${limits[@]}" -max_len=4096 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      "${dirs[@]}" >"$log" 2>&1; then
    runs=$(grep -oE 'Done [0-9]+ runs' "$log" | grep -oE '[0-9]+' || echo '?')
    printf '%-28s ok      %9s runs %4ss\n' "$target" "$runs" "$((SECONDS - t0))"
    passed=$((passed + 1))
  else
    printf '%-28s FAILED  (log: %s)\n' "$target" "$log"
    tail -n 40 "$log"
    failed=$((failed + 1))
  fi
done
echo "fuzz $mode: $passed passed, $failed failed (build ${built}s, total $((SECONDS - start))s)"
[ "$failed" -eq 0 ]
