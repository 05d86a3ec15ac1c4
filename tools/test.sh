#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test:
# native tests (sanitizers), Windows tests under Wine on an X display,
# the i686 build, and a bounded fuzzing run of the catalogue reader.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
tools/setup.sh
tools/build.sh native win64 win32 fuzz
[ -d build/wineprefix ] || tools/wine-prefix

logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
status=0
echo "== native tests"
ctest --test-dir build/native --output-on-failure -j2 | tee "$logs/native" || status=1
echo "== windows tests (x86_64 under Wine)"
# One at a time: the window tests share one display and its focus.
tools/with-display ctest --test-dir build/win64 --output-on-failure --timeout 300 |
  tee "$logs/windows" || status=1
echo "== fuzzing the catalogue reader for ${FUZZ_SECONDS:-60} s"
if tools/run-fuzz.sh "${FUZZ_SECONDS:-60}" >"$logs/fuzz" 2>&1; then
  grep -a -E '^Done [0-9]+ runs' "$logs/fuzz" || true
  fuzz_failed=0
else
  tail -n 40 "$logs/fuzz"
  fuzz_failed=1
  status=1
fi

# One closing line over every runner: ctest's counts plus the fuzz run.
passed=0 failed=0
for log in "$logs/native" "$logs/windows"; do
  line=$(grep -a -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1 || true)
  if [ -z "$line" ]; then
    status=1
    failed=$((failed + 1))
    continue
  fi
  f=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
  t=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\2/' <<<"$line")
  passed=$((passed + t - f))
  failed=$((failed + f))
done
passed=$((passed + 1 - fuzz_failed))
failed=$((failed + fuzz_failed))
echo "$passed passed, $failed failed"
exit $status
