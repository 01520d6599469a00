# Shared by run.sh and test.sh: installs what is missing, builds, and prepares
# a private, quiet Wine prefix with its own X display when there is none.
# Source it; it defines functions only.

SORABAKO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-$SORABAKO_ROOT/build}

PACKAGES=(cmake make g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev googletest
          wine wine64 xvfb xauth x11-utils fonts-wine fonts-noto-cjk imagemagick
          fp-utils p7zip-full locales xdotool)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_missing_packages() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        as_root apt-get update -q
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
    fi
    # Quiets the shell's locale warnings under LC_ALL=ja_JP.UTF-8; Wine does not need it.
    if ! locale -a 2>/dev/null | grep -qi '^ja_JP.utf8$'; then
        as_root sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
        as_root locale-gen >/dev/null
    fi
}

build() {
    cmake --preset mingw -S "$SORABAKO_ROOT" -B "$BUILD_DIR" >/dev/null
    cmake --build "$BUILD_DIR" -j "$(nproc)"
}

wine_environment() {
    export WINEPREFIX=$BUILD_DIR/wine WINEARCH=win64 TZ=${TZ:-UTC}
    export WINEDEBUG=-all,err+winediag
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    # The users' Windows is Japanese: ANSI code page 932.
    export LC_ALL=${SORABAKO_LOCALE:-ja_JP.UTF-8}
}

make_wine_prefix() {
    [ -f "$WINEPREFIX/.sorabako-ready" ] && return 0
    echo "Creating the Wine prefix $WINEPREFIX"
    rm -rf "$WINEPREFIX"
    mkdir -p "$BUILD_DIR/winehome"
    # The prefix links Desktop and Documents into $HOME: keep them inside the build folder.
    HOME=$BUILD_DIR/winehome wineboot -i >/dev/null 2>&1
    local regfile=$BUILD_DIR/prefix.reg
    {
        printf 'Windows Registry Editor Version 5.00\r\n\r\n'
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]\r\n"ShowCrashDialog"=dword:00000000\r\n\r\n'
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\r\n"Desktop"="Default"\r\n\r\n'
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\r\n"Default"="1920x1080"\r\n\r\n'
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
        for f in "Meiryo UI" "Meiryo" Tahoma "MS Shell Dlg" "MS Shell Dlg 2" "MS UI Gothic" "Segoe UI" "MS Gothic"; do
            printf '"%s"="Noto Sans CJK JP"\r\n' "$f"
        done
        printf '\r\n'
    } > "$regfile"
    wine regedit /S "$(winepath -w "$regfile")" >/dev/null 2>&1
    wine winecfg /v win10 >/dev/null 2>&1
    cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    wineserver -w
    touch "$WINEPREFIX/.sorabako-ready"
}

XVFB_PID=
start_display() {
    if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
    local fdfile=$BUILD_DIR/display
    rm -f "$fdfile"
    Xvfb -displayfd 9 -screen 0 1920x1080x24 -nolisten tcp 9>"$fdfile" >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 100); do [ -s "$fdfile" ] && break; sleep 0.1; done
    export DISPLAY=:$(cat "$fdfile")
}

start_wine_session() {
    # A persistent server keeps every test from paying a cold start; background
    # services start here with their output detached, never inside a test.
    wineserver -p 2>/dev/null || true   # one already running for this prefix is reused
    wine cmd /c exit </dev/null >/dev/null 2>&1
    wine explorer /desktop=Default,1920x1080 </dev/null >/dev/null 2>&1 &
    wait_for_desktop
}

# Windows made before the virtual desktop is up land nowhere ("no driver could
# be loaded"): nothing runs until its X window exists.
wait_for_desktop() {
    for _ in $(seq 300); do
        xwininfo -root -children 2>/dev/null | grep -q '"Default - Wine desktop"' && return 0
        sleep 0.1
    done
    echo "The Wine desktop did not come up on $DISPLAY" >&2
    return 1
}

# A 2 MiB tmpfs as Wine drive T:, for the test of a settings file on a full drive.
FULL_DRIVE_DIR=$BUILD_DIR/fulldrive
mount_full_drive() {
    mkdir -p "$FULL_DRIVE_DIR"
    if mountpoint -q "$FULL_DRIVE_DIR" || as_root mount -t tmpfs -o size=2m tmpfs "$FULL_DRIVE_DIR" 2>/dev/null; then
        ln -sfn "$FULL_DRIVE_DIR" "$WINEPREFIX/dosdevices/t:"
        export SORABAKO_FULL_DRIVE='T:'
    else
        echo "No tmpfs could be mounted: the full-drive test will be skipped"
    fi
}

stop_wine_session() {
    wineserver -k 2>/dev/null || true
    if mountpoint -q "$FULL_DRIVE_DIR" 2>/dev/null; then as_root umount "$FULL_DRIVE_DIR" || true; fi
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
}

# Everything run.sh and test.sh need before they start Wine programs; stops
# the session and the display on exit.
prepare_wine_session() {
    install_missing_packages
    build
    wine_environment
    make_wine_prefix
    start_display
    trap stop_wine_session EXIT
    start_wine_session
}
