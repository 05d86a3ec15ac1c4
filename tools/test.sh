#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test:
# native tests (sanitizers), Windows tests under Wine on an X display,
# the i686 build, and a bounded fuzzing run of the catalogue reader.
set -eu
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
tools/setup.sh
tools/build.sh native win64 win32 fuzz
[ -d build/wineprefix ] || tools/wine-prefix

status=0
echo "== native tests"
ctest --test-dir build/native --output-on-failure -j2 || status=1
echo "== windows tests (x86_64 under Wine)"
tools/with-display ctest --test-dir build/win64 --output-on-failure --timeout 300 || status=1
echo "== fuzzing the catalogue reader"
if [ -x build/fuzz/bin/catalogue_fuzz ]; then
  tools/run-fuzz.sh "${FUZZ_SECONDS:-60}" || status=1
fi
exit $status
