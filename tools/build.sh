#!/usr/bin/env bash
# Builds everything: native (pure logic with sanitizers, catalogue tool),
# x86_64 Windows (tests under Wine), i686 Windows (the shipped program).
# Usage: tools/build.sh [native|win64|win32|fuzz ...]   (default: native win64 win32)
set -eu
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(native win64 win32)
# The Windows builds pack the sample catalogue with the native cattool, so the
# native build comes first whenever a Windows build is asked for.
ordered=()
for t in "${targets[@]}"; do
  case "$t" in win64 | win32) ordered=(native) ;; esac
done
for t in "${targets[@]}"; do
  [[ " ${ordered[*]} " == *" $t "* ]] || ordered+=("$t")
done
host_cattool="$root/build/native/bin/cattool"
for t in "${ordered[@]}"; do
  case "$t" in
    native) args=(-DCMAKE_CXX_COMPILER=g++ -DCMAKE_C_COMPILER=gcc) ;;
    win64) args=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-x86_64.cmake"
                 -DVANTREL_HOST_CATTOOL="$host_cattool") ;;
    win32) args=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686.cmake" -DCMAKE_BUILD_TYPE=Release
                 -DVANTREL_BUILD_TESTS=OFF -DVANTREL_HOST_CATTOOL="$host_cattool") ;;
    fuzz) args=(-DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang -DVANTREL_FUZZ=ON) ;;
    *) echo "unknown build: $t" >&2; exit 2 ;;
  esac
  [ -f "build/$t/build.ninja" ] || cmake -S . -B "build/$t" -G Ninja "${args[@]}" >/dev/null
  cmake --build "build/$t"
done
