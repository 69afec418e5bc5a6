# Sourced by the scripts that run Windows programs under Wine: a private prefix with a
# virtual desktop and CJK fonts, on the caller's X display or on a virtual one.
# Variables honoured: WINEPREFIX (default build/wineprefix), DISPLAY, WINE_DESKTOP_SIZE.
repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$repo_root/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}
wine_desktop_size=${WINE_DESKTOP_SIZE:-1024x768}
wine_virtual_display=:77

# Starts the shared virtual display when the caller has none.
ensure_display() {
    if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
    export DISPLAY=$wine_virtual_display
    if xdpyinfo >/dev/null 2>&1; then return 0; fi
    (
        flock 9
        xdpyinfo >/dev/null 2>&1 && exit 0
        rm -f /tmp/.X77-lock
        nohup Xvfb "$wine_virtual_display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && exit 0; sleep 0.1; done
        echo "Xvfb did not start on $wine_virtual_display" >&2
        exit 1
    ) 9>/tmp/vastrel-xvfb.lock
}

wine_reg() { wine reg add "$@" /f >/dev/null 2>&1; }

# Makes the prefix once: virtual desktop, CJK font replacements, a recorded browser hand-off.
ensure_prefix() {
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        [ -f "$WINEPREFIX/.vastrel-ready" ] && exit 0
        wineboot -i >/dev/null 2>&1
        wine_reg 'HKCU\Software\Wine\Explorer' /v Desktop /d Default
        wine_reg 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$wine_desktop_size"
        for face in Tahoma "MS Shell Dlg" "MS Shell Dlg 2" SimSun "Microsoft YaHei" \
                    "Microsoft YaHei UI" "@Microsoft YaHei UI" "微软雅黑" "宋体" "MS Sans Serif"; do
            wine_reg 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d "WenQuanYi Micro Hei"
        done
        wineserver -w
        touch "$WINEPREFIX/.vastrel-ready"
    ) 9>"$WINEPREFIX.lock"
}
