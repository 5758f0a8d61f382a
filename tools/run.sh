#!/usr/bin/env bash
# Builds Moxilo and runs it. On Debian it runs the x86_64 build under Wine
# (this kernel cannot execute the 32-bit program). With a display the program
# runs there until you close it; without one it runs on a virtual screen (Xvfb),
# a screenshot of the desktop is written once the window has settled, and the
# program is closed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash tools/bootstrap.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target moxilo

state=build/win64/wine
if [ -n "${DISPLAY:-}" ]; then
  MOXILO_DISPLAY=keep exec tools/wine/run.sh "$state" build/win64/moxilo.exe
fi

shot=$root/build/moxilo-screenshot.png
rm -f "$shot"
tools/wine/run.sh "$state" build/win64/moxilo.exe &
runner=$!
# Wait until the desktop shows something and two screenshots in a row agree.
previous=
for _ in $(seq 300); do
  sleep 0.1
  display=$(cat "$state/display" 2>/dev/null) || continue
  frame=$(DISPLAY=":$display" import -window root -depth 8 rgb:- 2>/dev/null | md5sum) || continue
  uniform=$(DISPLAY=":$display" import -window root -format '%[fx:standard_deviation]' info: 2>/dev/null) || continue
  if [ "$uniform" != 0 ] && [ "$frame" = "$previous" ]; then
    DISPLAY=":$display" import -window root "$shot"
    break
  fi
  previous=$frame
done
WINEPREFIX="$root/$state/prefix" /usr/lib/wine/wineserver -k 2>/dev/null || true
wait "$runner" 2>/dev/null || true
if [ -f "$shot" ]; then
  echo "No display: Moxilo ran on a virtual screen. Screenshot: $shot"
else
  echo "No display: Moxilo did not show a window; see $state" >&2
  exit 1
fi
