#!/usr/bin/env bash
# Runs the chat list demo under Wine on a private X server and saves a screenshot: the
# list's top and its bottom side by side.
# Usage: tools/chatlist_demo/screenshot.sh [build folder] [output png]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/env.sh"
build=${1:-$root/build/$ZORLI_WINDOWS_TREE}
out=${2:-$root/docs/chatlist.png}
unset DISPLAY
zorli_start_xvfb
trap '[ -n "${ZORLI_XVFB_PID:-}" ] && kill "$ZORLI_XVFB_PID" 2>/dev/null || true' EXIT
work=$(mktemp -d)
shoot() {  # position of the list, file
  zorli_wine "$build/bin/chatlist_demo.exe" 8000 "$1" &
  local demo=$!
  sleep 5
  import -window root -crop 480x760+0+0 +repage "$2"
  wait "$demo" || true
}
shoot top "$work/top.png"
shoot bottom "$work/bottom.png"
mkdir -p "$(dirname "$out")"
convert "$work/top.png" "$work/bottom.png" -background '#888888' -splice 4x0 +append -chop 4x0 "$out"
rm -rf "$work"
echo "saved $out"
