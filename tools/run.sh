#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program under Wine beside
# the sample catalogue. On an X display the program runs until it is closed;
# without one it runs on a virtual display, a screenshot of the main window is
# saved to build/screenshot-main.png, and the program is closed again.
set -eu
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
tools/setup.sh
tools/build.sh native win64 win32
bin=build/win64/bin
[ -f "$bin/database.dat" ] || { echo "no catalogue at $bin/database.dat" >&2; exit 1; }

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  # A desktop has a window manager: let it manage the windows.
  export WINEPREFIX="$root/build/wineprefix-desktop"
  [ -d "$WINEPREFIX" ] || VANTREL_UNMANAGED_WINDOWS=0 tools/wine-prefix
  echo "starting $bin/VantrelCheck.exe"
  exec tools/wine-run "$bin/VantrelCheck.exe"
fi

[ -d build/wineprefix ] || tools/wine-prefix
shot="$root/build/screenshot-main.png"
tools/with-display bash -c '
  set -eu
  tools/wine-run "'"$bin"'/VantrelCheck.exe" &
  program=$!
  rect=$(tools/wine-run "'"$bin"'/vantrel-driver.exe" wait-main 60 | tr -d "\r")
  sleep 1
  read -r x y w h <<<"$rect"
  import -window root -crop "${w}x${h}+${x}+${y}" +repage "'"$shot"'"
  tools/wine-run "'"$bin"'/vantrel-driver.exe" close-main
  wait "$program"
'
echo "the program ran on a virtual display; its main window: $shot"
