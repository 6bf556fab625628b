#!/usr/bin/env bash
# Runs the chat list demo under Wine on a private X server and saves a screenshot.
# Usage: tools/chatlist_demo/screenshot.sh [build folder] [output png]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build/win32}
out=${2:-$root/docs/chatlist.png}
source "$root/scripts/env.sh"
unset DISPLAY
zorli_start_xvfb
trap '[ -n "${ZORLI_XVFB_PID:-}" ] && kill "$ZORLI_XVFB_PID" 2>/dev/null || true' EXIT
mkdir -p "$(dirname "$out")"
zorli_wine "$build/bin/chatlist_demo.exe" 8000 &
demo=$!
sleep 5
import -window root -crop 480x760+0+0 +repage "$out"
wait "$demo" || true
echo "saved $out"
