#!/usr/bin/env bash
# Runs a Windows program under Wine on a virtual screen:
#   tools/wine/run.sh STATE_DIR PROGRAM.exe [ARGS...]
# STATE_DIR holds the 64-bit prefix (made once, guarded by a lock) and the
# display's logs. Uses $DISPLAY when MOXILO_DISPLAY=keep, else starts its own Xvfb
# on a free display. The prefix has a 1024x768 virtual desktop, so windows get
# frames and the screen is 1024x768; LC_ALL=zh_CN.UTF-8 gives code page 936.
# Everything it started is stopped, also on failure; the exit status is the program's (Wine keeps it non-zero).
set -uo pipefail
state=$(realpath -m "$1"); shift
here=$(cd "$(dirname "$0")" && pwd)
WINE=/usr/lib/wine/wine64
WS=/usr/lib/wine/wineserver
export WINEPREFIX="$state/prefix" WINEARCH=win64 WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES='mscoree,mshtml,winemenubuilder.exe='
export LC_ALL=zh_CN.UTF-8
mkdir -p "$state"

(
  flock 9
  [ -f "$WINEPREFIX/.ready" ] && exit 0
  rm -rf "$WINEPREFIX"
  env -u DISPLAY "$WINE" wineboot -i >"$state/wineboot.log" 2>&1 &&
    env -u DISPLAY "$WINE" regedit /S "$here/desktop.reg" &&
    cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" &&
    "$WS" -w && touch "$WINEPREFIX/.ready"
) 9>"$state/.lock" || { echo "wine prefix setup failed, see $state/wineboot.log" >&2; exit 1; }

xvfb=
if [ "${MOXILO_DISPLAY:-}" != keep ] || [ -z "${DISPLAY:-}" ]; then
  rm -f "$state/display"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$state/display" 2>"$state/xvfb.log" &
  xvfb=$!
  for _ in $(seq 200); do [ -s "$state/display" ] && break; sleep 0.05; done
  [ -s "$state/display" ] || { echo "Xvfb did not start, see $state/xvfb.log" >&2; kill $xvfb; exit 1; }
  export DISPLAY=":$(cat "$state/display")"
fi

cleanup() {
  "$WS" -k 2>/dev/null
  "$WS" -w 2>/dev/null
  if [ -n "$xvfb" ]; then kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; fi
}
trap cleanup EXIT

timeout --kill-after=10 "${MOXILO_WINE_TIMEOUT:-600}" "$WINE" "$@"
status=$?
exit $status
