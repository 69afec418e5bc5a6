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

# Raised whenever the settings below change, so that existing prefixes take them up.
prefix_version=2

wine_font_dir() {
    for dir in /usr/share/wine/fonts /usr/lib/wine/fonts /opt/wine*/share/wine/fonts; do
        [ -f "$dir/marlett.ttf" ] && { echo "$dir"; return; }
    done
}

# Makes the prefix once: virtual desktop, CJK font replacements, a recorded browser hand-off.
# A font request with no face name and the GB2312 character set falls back to the default
# sans-serif family (Arial), so Arial is replaced too: otherwise Wine takes the first face
# listing that character set, which may lack the ASCII digits.
ensure_prefix() {
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        [ "$(cat "$WINEPREFIX/.vastrel-ready" 2>/dev/null)" = "$prefix_version" ] && exit 0
        [ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1
        wine_reg 'HKCU\Software\Wine\Explorer' /v Desktop /d Default
        wine_reg 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$wine_desktop_size"
        for face in Tahoma "MS Shell Dlg" "MS Shell Dlg 2" SimSun "Microsoft YaHei" \
                    "Microsoft YaHei UI" "@Microsoft YaHei UI" "微软雅黑" "宋体" "MS Sans Serif" \
                    Arial; do
            wine_reg 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d "WenQuanYi Micro Hei"
        done
        # Wine draws the title-bar buttons with Marlett; the package keeps it outside the prefix.
        cp -f "$(wine_font_dir)/marlett.ttf" "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
        wineserver -w
        echo "$prefix_version" >"$WINEPREFIX/.vastrel-ready"
    ) 9>"$WINEPREFIX.lock"
}
