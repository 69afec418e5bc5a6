#!/usr/bin/env bash
# Builds vastrel-checkin.exe and starts it under Wine on the user's display. Without a
# display it runs on a virtual one, leaves a screenshot of the desktop and says where;
# the program then keeps running until it is closed or this script is interrupted.
set -eu
repo_root=$(cd "$(dirname "$0")/.." && pwd)
cd "$repo_root"

"$repo_root/scripts/setup.sh"
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc)" --target vastrel-checkin e2e_probe
exe=$repo_root/build/windows/app/vastrel-checkin.exe
probe=$repo_root/build/windows/tests/e2e/e2e_probe.exe

. "$repo_root/scripts/wine-env.sh"
had_display=0
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then had_display=1; fi
ensure_display
ensure_prefix

if [ $had_display -eq 1 ]; then
    echo "starting $exe on display $DISPLAY"
    exec wine "$exe"
fi

wine "$exe" &
program=$!
trap 'kill $program 2>/dev/null; wait $program 2>/dev/null' INT TERM
for _ in $(seq 100); do
    wine "$probe" dump | grep -q '"title":"Vastrel自动签到"' && break
    sleep 0.2
done
sleep 0.5
shot_dir=$repo_root/artifacts/run
mkdir -p "$shot_dir"
import -display "$DISPLAY" -window root "$shot_dir/main-window.png"
echo "no display: the program runs on the virtual display $DISPLAY"
echo "screenshot: $shot_dir/main-window.png"
echo "it keeps running until it is closed; press Ctrl-C to end it"
wait $program
