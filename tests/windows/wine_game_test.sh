#!/usr/bin/env bash
# Runs the Windows program under Wine on a private Xvfb and checks what it
# shows through screenshots.
#   wine_game_test.sh windowed|fullscreen|installer <source dir> <work dir>
# windowed:   No to the question; an 800x600 client area in a framed window at
#             the top-left corner, the title screen, "1" starts a game, Escape
#             ends with status 0.
# fullscreen: Yes; the display switches to 800x600 and the game fills it, F1
#             goes back to a window on the restored 1024x768 desktop, Escape
#             ends with status 0.
# installer:  the exe's headers keep ASLR and DEP and carry the icon and the
#             version; cpack's installer, run with /S in a fresh prefix, makes
#             the Start-menu shortcut and the uninstall entry, the installed
#             exe plays as in windowed, and Uninstall.exe /S takes it all away.
# The exe is cross-built from the source tree with the windows preset into the
# work dir; the Wine prefix is made there once and reused.
set -euo pipefail

mode=$1
src=$2
work=$3
skip=77

command -v x86_64-w64-mingw32-g++-posix >/dev/null || { echo "SKIP: mingw-w64 (g++-mingw-w64-x86-64-posix) is not installed"; exit $skip; }
command -v wine >/dev/null || { echo "SKIP: Wine (wine, wine64) is not installed"; exit $skip; }
[ "$mode" != installer ] || command -v makensis >/dev/null || { echo "SKIP: NSIS (nsis) is not installed"; exit $skip; }

import=/usr/bin/import
convert=/usr/bin/convert
mkdir -p "$work"
log=$work/$mode
rm -rf "$log"
mkdir -p "$log"

export WINEPREFIX=$work/wineprefix
if [ "$mode" = installer ]; then
    WINEPREFIX=$work/installprefix
    rm -rf "$WINEPREFIX"
fi
export WINEDEBUG=-all
# No Mono or Gecko installer prompts while the prefix is made.
export WINEDLLOVERRIDES="mscoree,mshtml="

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Polls a command until it succeeds or the deadline (seconds) passes.
waitFor() {
    local seconds=$1
    shift
    local end=$((SECONDS + seconds))
    until "$@"; do
        [ $SECONDS -lt $end ] || return 1
        sleep 0.1
    done
}

# ---- the exe, cross-built and kept up to date ----
(cd "$src" && cmake --preset windows -B "$work/cross" >"$log/configure.log" 2>&1) ||
    fail "configuring the windows preset; see $log/configure.log"
cmake --build "$work/cross" --parallel 2 >"$log/build.log" 2>&1 || fail "cross-building; see $log/build.log"
exe=$work/cross/src/platform/win32/torvelo.exe
[ -f "$exe" ] || fail "no $exe after the build"

# ---- the Wine prefix, made once ----
ready=$WINEPREFIX/torvelo-prefix-ready
if [ ! -f "$ready" ]; then
    rm -rf "$WINEPREFIX"
    echo "making the Wine prefix $WINEPREFIX"
    (unset DISPLAY; timeout 120 wineboot -i) >"$log/wineboot.log" 2>&1 || fail "wineboot; see $log/wineboot.log"
    # Wine ignores fontconfig's aliases; the virtual desktop needs no window
    # manager for keys to arrive and takes the display-mode switch.
    cat >"$work/prefix-settings.reg" <<'EOF'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Courier New"="Liberation Mono"
"Times New Roman"="Liberation Serif"
"Comic Sans MS"="Comic Neue"

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1024x768"
EOF
    (unset DISPLAY; timeout 60 wine regedit /S "$work/prefix-settings.reg") >>"$log/wineboot.log" 2>&1 ||
        fail "registry settings; see $log/wineboot.log"
    # The registry reaches the disk when the server ends.
    timeout 60 wineserver -w || fail "wineserver did not finish writing the prefix"
    grep -q '"Comic Sans MS"="Comic Neue"' "$WINEPREFIX/user.reg" || fail "font replacements missing from the prefix"
    grep -q '"Default"="1024x768"' "$WINEPREFIX/user.reg" || fail "virtual desktop missing from the prefix"
    touch "$ready"
fi

# ---- a private X server; everything we start goes at the end ----
xvfbPid=
winePid=
cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    [ -z "$winePid" ] || kill "$winePid" 2>/dev/null || true
    [ -z "$xvfbPid" ] || kill "$xvfbPid" 2>/dev/null || true
}
trap cleanup EXIT
wineserver -k >/dev/null 2>&1 || true

# Xvfb picks a free display and writes its number; a long auto-repeat delay
# keeps a held key to one key-down message.
Xvfb -displayfd 3 -screen 0 1024x768x24 -noreset -nolisten tcp -ardelay 30000 \
    3>"$log/display" >"$log/xvfb.log" 2>&1 &
xvfbPid=$!
waitFor 20 grep -q '[0-9]' "$log/display" || fail "Xvfb did not start; see $log/xvfb.log"
export DISPLAY=:$(tr -d '[:space:]' <"$log/display")
echo "Xvfb on $DISPLAY"

# ---- installer: the packages, the exe's headers, a silent install ----
if [ "$mode" = installer ]; then
    timeout 100 cpack --config "$work/cross/CPackConfig.cmake" -B "$work/cross" >"$log/cpack.log" 2>&1 ||
        fail "cpack; see $log/cpack.log"
    version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$work/cross/CPackConfig.cmake")
    headers=$(timeout 30 x86_64-w64-mingw32-objdump -p "$exe") || fail "objdump -p $exe"
    for flag in HIGH_ENTROPY_VA DYNAMIC_BASE NX_COMPAT 'Entry: ID: 0x00000e,' 'Entry: ID: 0x000010,'; do
        grep -q "$flag" <<<"$headers" || fail "$exe: no $flag in its headers (DLL characteristics, icon, version)"
    done
    resources=$(timeout 30 strings -el "$exe")
    for field in "ProductName Torvelo" "ProductVersion $version" "FileVersion $version"; do
        grep -A1 -x "${field%% *}" <<<"$resources" | grep -x "${field#* }" >/dev/null || fail "$exe: no $field"
    done
    timeout 30 python3 -m zipfile -l "$work/cross/torvelo-$version-win64.zip" | grep "win64/torvelo.exe " >/dev/null ||
        fail "torvelo.exe not in torvelo-$version-win64.zip"
    installDir="$WINEPREFIX/drive_c/Program Files/Torvelo"
    shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Torvelo/Torvelo.lnk"
    uninstallKey='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Torvelo'
    uninstallEntry() {
        timeout 20 wine reg query "$uninstallKey" /v UninstallString 2>/dev/null | grep -F 'Torvelo\Uninstall.exe' >/dev/null
    }
    installed() {
        [ -f "$installDir/torvelo.exe" ] && [ -f "$shortcut" ] && uninstallEntry
    }
    removed() {
        [ ! -e "$installDir/torvelo.exe" ] && [ ! -e "$shortcut" ] && ! uninstallEntry
    }
    installStart=$SECONDS
    timeout 60 wine "$work/cross/torvelo-$version-win64.exe" /S >"$log/install.log" 2>&1 || fail "silent install"
    waitFor 30 installed || fail "after /S: exe, Start-menu shortcut or uninstall entry missing"
    echo "silent install: $((SECONDS - installStart)) s"
    exe=$installDir/torvelo.exe
fi

started=$SECONDS
(
    set +e
    wine "$exe" >"$log/wine.log" 2>&1
    echo $? >"$log/exit-status"
) &
winePid=$!

# ---- windows and pixels ----
windowId() {
    xdotool search --name "$1" 2>/dev/null | head -n 1
}
hasWindow() {
    [ -n "$(windowId "$1")" ]
}
hasNoWindow() {
    [ -z "$(windowId "$1")" ]
}
# "WxH+X+Y" of a window, frame included.
geometryOf() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
        /^ +Width:/ {w=$NF} /^ +Height:/ {h=$NF} END {print w "x" h "+" x "+" y}'
}
shoot() {
    "$import" -window root "$1"
}
# Pixels of a region (WxH at client x, y) by class: "grey" the fps counter's
# 0.7 grey (0.7f is just under 0.7, so 178), "text" the blue-255 colours of
# the title, the "[1]" option and the timer (white stickers excluded), "lit"
# anything not black.
countPixels() {
    local shot=$1 class=$2 w=$3 h=$4 x=$5 y=$6
    "$convert" "$shot" -crop "${w}x${h}+$((clientX + x))+$((clientY + y))" +repage txt:- | awk -v class="$class" '
        /^#/ {next}
        { split($2, c, /[(),]/); r = c[2] + 0; g = c[3] + 0; b = c[4] + 0
          if (class == "grey" && r == 178 && g == 178 && b == 178) n++
          if (class == "text" && b == 255 && !(r == 255 && g == 255)) n++
          if (class == "lit" && (r || g || b)) n++ }
        END {print n + 0}'
}

# Regions in client pixels (800x600, origin top-left), from where the texts
# are laid out in the 800x600 text space.
fpsRegion=(80 30 720 570)       # "%5.1f fps" at (740, 10)
titleRegion=(240 75 220 25)     # "Torvelo" at (220, 500), 100 px
optionRegion=(90 45 50 480)     # "[1]" of "[1] Medium" at (50, 100)
timerRegion=(160 40 600 35)     # the play timer at (600, 550)
cubeRegion=(100 100 350 250)    # the middle of the cube

report() {
    echo "$1: fps grey $(countPixels "$2" grey "${fpsRegion[@]}")," \
        "title $(countPixels "$2" text "${titleRegion[@]}")," \
        "[1] $(countPixels "$2" text "${optionRegion[@]}")," \
        "timer $(countPixels "$2" text "${timerRegion[@]}")," \
        "cube lit $(countPixels "$2" lit "${cubeRegion[@]}")"
}

titleScreenShown() {
    shoot "$log/title.png"
    [ "$(countPixels "$log/title.png" grey "${fpsRegion[@]}")" -ge 40 ] &&
        [ "$(countPixels "$log/title.png" text "${titleRegion[@]}")" -ge 1000 ] &&
        [ "$(countPixels "$log/title.png" text "${optionRegion[@]}")" -ge 300 ] &&
        [ "$(countPixels "$log/title.png" text "${timerRegion[@]}")" -eq 0 ] &&
        [ "$(countPixels "$log/title.png" lit "${cubeRegion[@]}")" -ge 5000 ]
}

playShown() {
    shoot "$log/play.png"
    [ "$(countPixels "$log/play.png" grey "${fpsRegion[@]}")" -ge 40 ] &&
        [ "$(countPixels "$log/play.png" text "${titleRegion[@]}")" -eq 0 ] &&
        [ "$(countPixels "$log/play.png" text "${optionRegion[@]}")" -eq 0 ] &&
        [ "$(countPixels "$log/play.png" text "${timerRegion[@]}")" -ge 150 ] &&
        [ "$(countPixels "$log/play.png" lit "${cubeRegion[@]}")" -ge 5000 ]
}

exited() {
    [ -s "$log/exit-status" ]
}

# The question box may show before it takes keys: press until it goes.
answerQuestion() {
    local key=$1 end=$((SECONDS + 30))
    waitFor 60 hasWindow '^fullscreen\?$' || fail "no start-up question"
    while hasWindow '^fullscreen\?$'; do
        [ $SECONDS -lt $end ] || fail "the question did not take $key"
        xdotool key "$key"
        waitFor 2 hasNoWindow '^fullscreen\?$' || true
    done
}

# Holds a key until a condition holds: the game reads some keys as levels,
# and a press shorter than one frame would go unseen.
holdKeyUntil() {
    local key=$1 seconds=$2
    shift 2
    xdotool keydown "$key"
    local ok=0
    waitFor "$seconds" "$@" || ok=1
    xdotool keyup "$key"
    return $ok
}

desktopIs() {
    local id
    id=$(windowId '^Default - Wine desktop$')
    [ -n "$id" ] && [ "$(geometryOf "$id")" = "$1" ]
}

gameWindowIs() {
    local id
    id=$(windowId '^Torvelo by Pelmaz$')
    [ -n "$id" ] && [ "$(geometryOf "$id")" = "$1" ]
}

# Client origin of a framed window: equal frame left, right and bottom.
placeClient() {
    local geometry w h
    geometry=$(geometryOf "$(windowId '^Torvelo by Pelmaz$')")
    w=${geometry%%x*}
    h=${geometry#*x}
    h=${h%%+*}
    clientX=$(((w - 800) / 2))
    clientY=$((h - 600 - clientX))
}

clientX=0
clientY=0
case $mode in
windowed | installer)
    answerQuestion n
    waitFor 60 hasWindow '^Torvelo by Pelmaz$' || fail "no window \"Torvelo by Pelmaz\""
    geometry=$(geometryOf "$(windowId '^Torvelo by Pelmaz$')")
    echo "game window $geometry"
    [[ $geometry =~ ^([0-9]+)x([0-9]+)\+0\+0$ ]] || fail "window not at the top-left corner: $geometry"
    [ "${BASH_REMATCH[1]}" -gt 800 ] && [ "${BASH_REMATCH[2]}" -gt 600 ] || fail "no frame around 800x600: $geometry"
    desktopIs 1024x768+0+0 || fail "the desktop changed mode in windowed play"
    placeClient

    waitFor 30 titleScreenShown || { report "title screen" "$log/title.png"; fail "title screen not shown"; }
    report "title screen" "$log/title.png"

    holdKeyUntil 1 20 playShown || { report "play" "$log/play.png"; fail "\"1\" did not start a game"; }
    report "play" "$log/play.png"
    ;;
fullscreen)
    answerQuestion Return
    waitFor 60 gameWindowIs 800x600+0+0 || fail "no 800x600 window at the corner; see $log/wine.log"
    # A refused mode would have asked instead and left the desktop as it was.
    desktopIs 800x600+0+0 || fail "the display is not 800x600"
    echo "desktop 800x600, game window 800x600+0+0"

    waitFor 30 titleScreenShown || { report "full screen" "$log/title.png"; fail "title screen not filling the display"; }
    report "full screen" "$log/title.png"

    holdKeyUntil F1 30 desktopIs 1024x768+0+0 || fail "F1 did not restore the 1024x768 desktop"
    waitFor 30 hasWindow '^Torvelo by Pelmaz$' || fail "no window after F1"
    geometry=$(geometryOf "$(windowId '^Torvelo by Pelmaz$')")
    echo "after F1: desktop 1024x768, game window $geometry"
    [ "$geometry" != 800x600+0+0 ] || fail "F1 left the window undecorated"
    placeClient
    waitFor 30 titleScreenShown || { report "after F1" "$log/title.png"; fail "title screen not shown after F1"; }
    report "after F1" "$log/title.png"
    ;;
*)
    fail "unknown mode $mode"
    ;;
esac

holdKeyUntil Escape 30 exited || fail "Escape did not end the program"
status=$(cat "$log/exit-status")
winePid=
echo "exit status $status after $((SECONDS - started)) s under Wine"
[ "$status" = 0 ] || fail "exit status $status; see $log/wine.log"
if [ "$mode" = installer ]; then
    timeout 60 wine "$installDir/Uninstall.exe" /S >"$log/uninstall.log" 2>&1 || fail "silent uninstall"
    # The uninstaller runs on from a copy of itself: wait for its work.
    waitFor 60 removed || fail "after Uninstall.exe /S: exe, shortcut or uninstall entry left behind"
    echo "silent uninstall done; whole test $SECONDS s"
fi
echo "PASS"
