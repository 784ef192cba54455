#!/usr/bin/env bash
# The test command: installs what is missing, builds all three configurations, runs the
# native tests (sanitizers on) and the Windows tests under wine64, and ends with one line
# counting them all.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/setup.sh
bash scripts/build.sh

passed=0
failed=0
status=0
for preset in native win32 win64; do
  echo "== test $preset"
  log=$(mktemp)
  ctest --preset "$preset" 2>&1 | tee "$log" || status=1
  # ctest ends with "N% tests passed, F tests failed out of T".
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1 || true)
  rm -f "$log"
  if [ -z "$line" ]; then
    echo "no test summary from $preset"
    status=1
    continue
  fi
  f=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
  t=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\2/' <<<"$line")
  passed=$((passed + t - f))
  failed=$((failed + f))
done
echo "== fuzz smoke"; if bash scripts/fuzz.sh smoke; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
echo "tests: $passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$status" -eq 0 ]
