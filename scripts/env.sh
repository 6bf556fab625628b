# Shared settings of the scripts; sourced, not run.
ZORLI_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${ZORLI_WINEPREFIX:-$ZORLI_ROOT/build/wine}
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
# Code page 936 inside Wine follows the locale.
export ZORLI_WINE_LOCALE=zh_CN.UTF-8

# The Windows build that Wine runs here: ZORLI_WINDOWS_TREE (build/<tree>), its CMake
# toolchain ZORLI_TOOLCHAIN and the Wine loader ZORLI_WINE. The release is the 32-bit build,
# but some kernels run no 32-bit code at all, and Wine's 32-bit loader then fails with "Exec
# format error"; there the same sources are built for x86-64 and run by wine64 in a 64-bit
# prefix of its own. Call again after setup: before Wine is installed there is nothing to ask.
# ZORLI_FORCE_WINDOWS_TREE=win32|win64 skips the question.
zorli_choose_windows_build() {
  if [ -n "${ZORLI_FORCE_WINDOWS_TREE:-}" ]; then
    ZORLI_WINDOWS_TREE=$ZORLI_FORCE_WINDOWS_TREE
  elif [ -x /usr/lib/wine/wine ] && ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
    ZORLI_WINDOWS_TREE=win64
  else
    ZORLI_WINDOWS_TREE=win32
  fi
  if [ "$ZORLI_WINDOWS_TREE" = win64 ]; then
    ZORLI_TOOLCHAIN=$ZORLI_ROOT/cmake/mingw-x86_64.cmake
    ZORLI_WINE=/usr/lib/wine/wine64
    export WINEARCH=win64
    case $WINEPREFIX in *64) ;; *) export WINEPREFIX=${WINEPREFIX}64 ;; esac
  else
    ZORLI_TOOLCHAIN=$ZORLI_ROOT/cmake/mingw-i686.cmake
    ZORLI_WINE=wine
  fi
}
# Runs a command under Wine with the Chinese locale.
zorli_wine() { LC_ALL=$ZORLI_WINE_LOCALE "$ZORLI_WINE" "$@"; }

# The tests' own Wine prefix: its Wine server is not the one of a Zorli started with
# scripts/run, so tests neither take that one's focus nor end it when they stop theirs.
zorli_use_test_wine() {
  export ZORLI_WINEPREFIX=${ZORLI_TEST_WINEPREFIX:-$ZORLI_ROOT/build/wine-test}
  export WINEPREFIX=$ZORLI_WINEPREFIX
  zorli_choose_windows_build
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

zorli_choose_windows_build
