# Shared by scripts/run and scripts/test: installs what is missing, builds,
# starts a virtual display and makes Wine prefixes under build/.

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$top/build"
packages=(wine wine32:i386 wine64 g++-mingw-w64-i686 cmake make googletest xvfb xauth
          x11-apps imagemagick python3 xxd file)

ensure_packages() {
    local missing=()
    for package in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' ||
            missing+=("$package")
    done
    command -v node >/dev/null || missing+=(nodejs)
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

build_all() {
    cmake -S "$top" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-i686.cmake" >/dev/null
    cmake --build "$build" -j"$(nproc)" "$@"
}

# Starts Xvfb on a free display and exports DISPLAY; stopped when the script exits.
start_virtual_display() {
    local number=90
    while [ -e "/tmp/.X$number-lock" ] || [ -e "/tmp/.X11-unix/X$number" ]; do
        number=$((number + 1))
    done
    Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$number"
    for _ in $(seq 50); do
        [ -e "/tmp/.X11-unix/X$number" ] && return 0
        sleep 0.1
    done
    echo "Xvfb did not start" >&2
    return 1
}

# Makes (or reuses) a Wine prefix and keeps its wineserver alive. With
# "unmanaged" as second argument a new prefix keeps its windows away from any
# window manager: on the bare virtual display Wine would otherwise wait about
# two seconds for each closing window, message boxes included.
use_wine_prefix() {
    export WINEPREFIX="$1"
    export WINEDEBUG=-all
    # No Gecko or Mono installers; no menu entries or icons written into the
    # host's home for the links the program makes (and no file held open by
    # the menu builder while a test replaces it).
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    export WINEARCH=win64
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        mkdir -p "$WINEPREFIX"
        wineboot -i >/dev/null 2>&1
        if [ "${2:-}" = unmanaged ]; then
            wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
        fi
        wineserver -w
    fi
    wineserver -p
    # Start Wine's services now, detached from our output: a service started
    # later by a test would inherit CTest's pipes and keep it waiting forever.
    wine cmd /c exit </dev/null >/dev/null 2>&1
}

stop_wine() {
    [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null
    [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null
    return 0
}
