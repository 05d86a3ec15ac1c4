#!/usr/bin/env bash
# The borderless main window follows the mouse when dragged from a free point
# of its client area: real pointer input on the X display, the real program.
# Usage: drag_test.sh BIN_DIR
set -u
bin=$1
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
run() { "$root/tools/wine-run" "$@" 2>/dev/null | tr -d '\r'; }
"$root/tools/wine-run" "$bin/VantrelCheck.exe" 2>/dev/null &
program=$!
trap 'kill $program 2>/dev/null' EXIT
read -r x y w h <<<"$(run "$bin/vantrel-driver.exe" wait-main 60)"
[ -n "${h:-}" ] || { echo "FAIL: the main window never showed"; exit 1; }
# (300, 60) lies on the background, away from every control.
xdotool mousemove $((x + 300)) $((y + 60))
sleep 0.2
xdotool mousedown 1
sleep 0.2
for i in 1 2 3 4 5 6 7 8 9 10; do
  xdotool mousemove $((x + 300 - i * 10)) $((y + 60 - i * 5))
  sleep 0.05
done
xdotool mouseup 1
sleep 0.5
read -r nx ny _ _ <<<"$(run "$bin/vantrel-driver.exe" wait-main 5)"
run "$bin/vantrel-driver.exe" close-main
wait $program
code=$?
trap - EXIT
echo "window moved from ($x,$y) to ($nx,$ny); exit code $code"
[ "$nx" -eq $((x - 100)) ] && [ "$ny" -eq $((y - 50)) ] && [ $code -eq 0 ] || { echo FAIL; exit 1; }
echo PASS
