# Shared settings of the scripts; sourced, not run.
ZORLI_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${ZORLI_WINEPREFIX:-$ZORLI_ROOT/build/wine}
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
# Code page 936 inside Wine follows the locale.
export ZORLI_WINE_LOCALE=zh_CN.UTF-8

# Runs a command under Wine with the Chinese locale.
zorli_wine() { LC_ALL=$ZORLI_WINE_LOCALE wine "$@"; }

# Starts a private X server unless one is reachable; sets DISPLAY and ZORLI_XVFB_PID.
zorli_start_xvfb() {
  ZORLI_XVFB_PID=
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    ZORLI_XVFB_PID=$!
    export DISPLAY=":$n"
    local i
    for i in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
    kill "$ZORLI_XVFB_PID" 2>/dev/null
  done
  echo "could not start Xvfb" >&2
  return 1
}
