#!/usr/bin/env bash
# Screenshots of the six windows under Wine on the virtual display: runs the cross-built
# show_window program for each and keeps the desktop around the window.
# Usage: screenshots.sh show_window.exe output_folder
set -eu
. "$(dirname "$0")/../../scripts/wine-env.sh"
ensure_display
ensure_prefix
program=$1
out=$2
mkdir -p "$out"
names=(main version author easter_egg contact update_help)
shoot() {
    local index=$1 name=$2 form=${3:-}
    local log
    log=$(mktemp)
    wine "$program" "$index" $form >"$log" 2>/dev/null &
    local pid=$!
    for _ in $(seq 100); do grep -q '^ready' "$log" && break; sleep 0.1; done
    read -r _ left top right bottom < <(grep '^ready' "$log" | tr -d '\r') || { echo "no window $name"; kill $pid; exit 1; }
    local margin=12
    import -display "$DISPLAY" -window root -crop "$((right - left + 2 * margin))x$((bottom - top + 2 * margin))+$((left - margin))+$((top - margin))" +repage "$out/$name.png"
    wait $pid
    rm -f "$log"
    echo "$out/$name.png: window at $left,$top size $((right - left))x$((bottom - top))"
}
for i in "${!names[@]}"; do shoot "$i" "${names[$i]}"; done
shoot 0 main_tall tall
