#!/usr/bin/env bash
# End-to-end run: builds the release exe with test URLs (and a soak build with a 20 ms scan
# period), starts a private Xvfb display and Wine prefix (virtual desktop 1024x768, the
# browser replaced by a recorder), then drives the program with tests/e2e/e2e.py.
# Screenshots and the log go to artifacts/e2e/.
set -eu
repo_root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$repo_root"
jobs=$(nproc)
work=$repo_root/build/e2e-run
artifacts=$repo_root/artifacts/e2e
mkdir -p "$work" "$artifacts"

port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
update_url="https://127.0.0.1:$port/%E7%89%88%E6%9C%AC.txt"
home_page_url="https://home.vastrel-checkin.test/"

echo "== building the program with test URLs, the soak build and the helpers"
cmake --preset windows -B build/e2e -DVASTREL_UPDATE_URL="$update_url" \
    -DVASTREL_HOME_PAGE_URL="$home_page_url" -DVASTREL_SCAN_PERIOD_MS=3000 >/dev/null
cmake --build build/e2e -j "$jobs" --target vastrel-checkin e2e_probe e2e_bare_window \
    e2e_decode_timing e2e_browser_recorder prompt_window
cmake --preset windows -B build/e2e-soak -DVASTREL_UPDATE_URL="$update_url" \
    -DVASTREL_HOME_PAGE_URL="$home_page_url" -DVASTREL_SCAN_PERIOD_MS=20 >/dev/null
cmake --build build/e2e-soak -j "$jobs" --target vastrel-checkin

# A display of our own, so that the synthesized input meets no other test's windows.
display_number=90
while [ -e "/tmp/.X$display_number-lock" ]; do display_number=$((display_number + 1)); done
Xvfb ":$display_number" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=":$display_number"
export WINEPREFIX=$work/wineprefix
export WINE_DESKTOP_SIZE=1024x768
. "$repo_root/scripts/wine-env.sh"
cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
ensure_display
ensure_prefix

tests_dir=$repo_root/build/e2e/tests
recorder=$(find "$tests_dir" -name e2e_browser_recorder.exe | head -n 1)
prompt=$(find "$tests_dir" -name prompt_window.exe | head -n 1)
windows_path() { echo "Z:${1//\//\\}"; }
wine reg add 'HKCR\https\shell\open\command' /ve /d "\"$(windows_path "$recorder")\" \"%1\"" /f >/dev/null 2>&1
browser_log=$work/browser.log
rm -f "$browser_log"
export VASTREL_E2E_BROWSER_LOG
VASTREL_E2E_BROWSER_LOG=$(windows_path "$browser_log")

echo "== driving the program on display $DISPLAY"
python3 "$repo_root/tests/e2e/e2e.py" \
    --exe "$repo_root/build/e2e/app/vastrel-checkin.exe" \
    --soak-exe "$repo_root/build/e2e-soak/app/vastrel-checkin.exe" \
    --probe "$tests_dir/e2e/e2e_probe.exe" \
    --bare "$tests_dir/e2e/e2e_bare_window.exe" \
    --decode-timing "$tests_dir/e2e/e2e_decode_timing.exe" \
    --prompt "$prompt" \
    --artifacts "$artifacts" --work "$work" --browser-log "$browser_log" \
    --update-url "$update_url" --home-page-url "$home_page_url" --port "$port" \
    2>&1 | tee "$artifacts/e2e.log"
exit "${PIPESTATUS[0]}"
