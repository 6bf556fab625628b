# Shared settings of the scripts; sourced, not run.
ZORLI_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${ZORLI_WINEPREFIX:-$ZORLI_ROOT/build/wine}
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
# Code page 936 inside Wine follows the locale.
export ZORLI_WINE_LOCALE=zh_CN.UTF-8

# Runs a command under Wine with the Chinese locale.
zorli_wine() { LC_ALL=$ZORLI_WINE_LOCALE wine "$@"; }

# The tests' own Wine prefix: its Wine server is not the one of a Zorli started with
# scripts/run, so tests neither take that one's focus nor end it when they stop theirs.
zorli_use_test_wine() {
  export ZORLI_WINEPREFIX=${ZORLI_TEST_WINEPREFIX:-$ZORLI_ROOT/build/wine-test}
  export WINEPREFIX=$ZORLI_WINEPREFIX
}

# Starts a private X server, never reusing the caller's display (tests type real keys);
# sets DISPLAY and ZORLI_XVFB_PID. Xvfb picks a free display number and reports it.
zorli_start_xvfb() {
  ZORLI_XVFB_PID=
  local reported n i
  reported=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$reported" >/dev/null 2>&1 &
  ZORLI_XVFB_PID=$!
  for i in $(seq 100); do
    n=$(head -n1 "$reported")
    if [ -n "$n" ]; then
      rm -f "$reported"
      export DISPLAY=":$n"
      return 0
    fi
    kill -0 "$ZORLI_XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$reported"
  kill "$ZORLI_XVFB_PID" 2>/dev/null
  ZORLI_XVFB_PID=
  echo "could not start Xvfb" >&2
  return 1
}
