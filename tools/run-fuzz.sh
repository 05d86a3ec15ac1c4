#!/usr/bin/env bash
# Fuzzes the catalogue reader for a bounded time, starting from a copy of the
# seed corpus so the kept seeds never change. Exits non-zero when the fuzzer
# finds a crash, a leak, a hang or an unbounded allocation; the input that
# caused it is left in build/fuzz/run/artifacts/.
# Usage: tools/run-fuzz.sh SECONDS
set -eu
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds=${1:?usage: tools/run-fuzz.sh SECONDS}
fuzzer="$root/build/fuzz/bin/catalogue_fuzz"
if [ ! -x "$fuzzer" ]; then
  echo "no fuzzer at $fuzzer: run tools/build.sh fuzz first" >&2
  exit 2
fi
work="$root/build/fuzz/run"
rm -rf "$work/corpus"
mkdir -p "$work/corpus" "$work/artifacts"
cp "$root"/catalogue/fuzz/corpus/* "$work/corpus/"
# A catalogue is refused above 64 MiB, and fuzz inputs are far smaller, so any
# single allocation above 16 MB means a count from the input was trusted.
exec "$fuzzer" -max_total_time="$seconds" -max_len=4096 -timeout=10 -malloc_limit_mb=16 -rss_limit_mb=2048 \
  -dict="$root/catalogue/fuzz/catalogue.dict" -artifact_prefix="$work/artifacts/" -print_final_stats=1 \
  "$work/corpus"
