# Shared by scripts/run, scripts/test, scripts/bench and the acceptance runs:
# installs what is missing, finds out how this machine runs 32-bit x86 code,
# builds, starts a virtual display, makes Wine prefixes under build/, and
# stops all of it again when the script exits.

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$top/build"            # the 32-bit build: NMZAV.EXE as it ships
twin="$top/build-x86_64"      # the same sources for x86_64, a test build only
wine64=/usr/lib/wine/wine64   # starts 64-bit programs itself, 32-bit ones through wine32
wine32=/usr/lib/wine/wine
packages=(wine wine32:i386 wine64 g++-mingw-w64-i686 cmake make googletest xvfb xauth
          x11-apps imagemagick python3 xxd file icoutils locales openssl osslsigncode zip unzip)

# Runs a set-up step quietly. When it fails, says which step, the command and
# what it printed, and returns its exit status.
run_step() {
    local what=$1 log status
    shift
    log=$(mktemp)
    "$@" </dev/null >"$log" 2>&1 && { rm -f "$log"; return 0; }
    status=$?
    {
        echo "FAILED: $what (exit status $status)"
        echo "command: $*"
        tail -n 40 "$log"
    } >&2
    rm -f "$log"
    return $status
}

# Installs the packages named here and as arguments that are missing.
ensure_packages() {
    local missing=() package
    for package in "${packages[@]}" "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' ||
            missing+=("$package")
    done
    command -v node >/dev/null || missing+=(nodejs)
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        run_step "adding the i386 architecture" dpkg --add-architecture i386 || return
    fi
    # A mirror caught mid-sync fails one index ("File has unexpected size")
    # while the others are fresh: go on, and let the install itself decide.
    run_step "updating the package lists" apt-get update -qq ||
        echo "Going on with the package lists as they are." >&2
    run_step "installing ${missing[*]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# --- How 32-bit x86 code runs here -------------------------------------------
# Some machines' kernels refuse 32-bit x86 programs ("Exec format error").
# There, binfmt_misc can hand them to qemu's user-mode emulator. Debian 12's
# qemu 7.2 takes about two minutes to start each 32-bit Wine process (it does
# not honour MAP_FIXED_NOREPLACE, so Wine reserves its address space in 64 KiB
# pieces); qemu 10 takes half a second, so only 10 or later is used.

binfmt=/proc/sys/fs/binfmt_misc
own_entry=$binfmt/nmzav-i386
i386_magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
i386_mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'

# Prints why the 32-bit Wine loader does not run; prints nothing when it does.
# bash runs it, not timeout: execvp would hand a refused program to sh.
i686_refusal() {
    local out
    out=$(timeout 60 bash -c '"$1" --version' sh "$wine32" 2>&1) && return 0
    out=$(printf '%s\n' "${out:-no output}" | tail -n 1)
    echo "$wine32: ${out##*: }"
}

# The interpreter of the binfmt_misc entry that takes 32-bit x86 programs,
# if one is enabled: ours first, as the kernel tries the newest entry first.
i686_interpreter() {
    local entry
    for entry in "$own_entry" "$binfmt"/*; do
        [ "$(head -n 1 "$entry" 2>/dev/null)" = enabled ] || continue
        grep -q '^magic 7f454c4601010100000000000000000002000300' "$entry" || continue
        awk '/^interpreter/ {print $2}' "$entry"
        return 0
    done
    return 1
}

qemu_version() { "$1" --version 2>/dev/null | awk 'NR == 1 {print $3}'; }

# true when the qemu given is there and of version 10 or later.
is_fast_qemu() {
    local version
    [ -x "$1" ] && version=$(qemu_version "$1") && [ "${version%%.*}" -ge 10 ] 2>/dev/null
}

# Prints the path of a qemu-i386 of version 10 or later: the system's, or else
# the one of Debian's backports, unpacked into build/qemu (nothing installed).
fast_qemu() {
    local candidate unpacked="$build/qemu/usr/bin/qemu-i386"
    for candidate in /usr/bin/qemu-i386-static /usr/bin/qemu-i386 "$unpacked"; do
        is_fast_qemu "$candidate" && { echo "$candidate"; return 0; }
    done
    fetch_backports_qemu >&2 && is_fast_qemu "$unpacked" && echo "$unpacked"
}

# Downloads qemu-user from this release's backports through an apt state of
# its own in build/qemu-apt, from the archive this machine's apt already uses,
# and unpacks it into build/qemu.
fetch_backports_qemu() {
    local dir="$build/qemu-apt" codename archive options
    codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
    archive=$(apt-cache policy | awk -v suite="$codename/main" '$3 == suite {print $2; exit}')
    [ -n "$codename" ] && [ -n "$archive" ] || {
        echo "no Debian archive for '$codename' in this machine's apt sources"
        return 1
    }
    rm -rf "$dir" "$build/qemu"
    mkdir -p "$dir/lists/partial" "$build/qemu"
    echo "deb [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $archive $codename-backports main" \
        >"$dir/sources.list"
    options=(-o "Dir::Etc::sourcelist=$dir/sources.list" -o Dir::Etc::sourceparts=-
             -o "Dir::State::Lists=$dir/lists" -o APT::Sandbox::User=root)
    echo "Fetching qemu-user from $codename-backports"
    run_step "updating the $codename-backports package list" apt-get "${options[@]}" update &&
        (cd "$dir" && run_step "downloading qemu-user from $codename-backports" \
            apt-get "${options[@]}" download "qemu-user/$codename-backports") &&
        run_step "unpacking qemu-user" dpkg-deb -x "$dir"/qemu-user_*.deb "$build/qemu"
}

# Registers qemu-i386 for 32-bit x86 programs (removed again when the script
# exits). Sets i686_how; returns 1 when that cannot be done.
register_emulation() {
    local qemu refusal
    qemu=$(fast_qemu) || { i686_how="no qemu-i386 of version 10 or later could be had"; return 1; }
    if [ ! -e "$binfmt/register" ] &&
        ! mount -t binfmt_misc binfmt_misc "$binfmt" 2>/dev/null; then
        i686_how="binfmt_misc cannot be mounted here"
        return 1
    fi
    if ! printf '%s' ":nmzav-i386:M::$i386_magic:$i386_mask:$qemu:F" \
        >"$binfmt/register" 2>/dev/null; then
        i686_how="qemu-i386 cannot be registered with binfmt_misc"
        return 1
    fi
    registered_emulation=1
    refusal=$(i686_refusal)
    if [ -n "$refusal" ]; then
        unregister_emulation
        i686_how="32-bit Wine does not start even under $qemu: $refusal"
        return 1
    fi
    i686_how="under qemu-i386 $(qemu_version "$qemu") emulation"
}

remove_own_entry() { if [ -e "$own_entry" ]; then echo -1 2>/dev/null >"$own_entry" || true; fi; }

unregister_emulation() {
    [ -z "${registered_emulation:-}" ] || remove_own_entry
    registered_emulation=
}

# Sets i686_runs (native, emulated or none) with i686_how, and bench (i686 or
# x86_64) with bench_why. NMZAV_BENCH=i686|x86_64 forces the bench, and
# NMZAV_I686=emulated the emulator on a machine that would not need it.
choose_bench() {
    local refusal interpreter
    # An entry of ours left by a run that did not end cleanly would hide
    # whether the machine itself runs 32-bit code.
    remove_own_entry
    refusal=$(i686_refusal)
    if [ -n "$refusal" ]; then
        i686_runs=none
        bench_why="this machine cannot run 32-bit x86 code: $refusal"
    elif interpreter=$(i686_interpreter); then
        i686_runs=emulated
        i686_how="through $interpreter"
        bench_why="this machine runs 32-bit x86 code only through $interpreter"
    else
        i686_runs=native
        i686_how=natively
        bench_why="this machine runs 32-bit x86 code natively"
    fi
    if [ "$i686_runs" = none ] || { [ "${NMZAV_I686:-}" = emulated ] && [ "$i686_runs" = native ]; }; then
        if register_emulation; then i686_runs=emulated; else i686_runs=none; fi
    fi
    case "${NMZAV_BENCH:-}" in
    i686 | x86_64)
        bench=$NMZAV_BENCH
        bench_why="NMZAV_BENCH=$NMZAV_BENCH; $bench_why"
        ;;
    *) if [ "$i686_runs" = native ]; then bench=i686; else bench=x86_64; fi ;;
    esac
}

# One line: which bench, why, and how the shipped executable runs.
bench_line() {
    if [ "$bench" = i686 ]; then
        echo "Bench: i686, the shipped build and its own tests: $bench_why."
    elif [ "$i686_runs" = none ]; then
        echo "Bench: the x86_64 twin in build-x86_64 ($bench_why); the i686 NMZAV.EXE is only checked, its road is skipped: $i686_how."
    else
        echo "Bench: the x86_64 twin in build-x86_64 ($bench_why); the i686 NMZAV.EXE walks the road $i686_how."
    fi
}

# --- Building -----------------------------------------------------------------

# Configures and builds one tree: build_tree FOLDER TOOLCHAIN [cmake --build args].
build_tree() {
    local folder=$1 toolchain=$2
    shift 2
    if [ "$toolchain" = mingw-x86_64 ]; then
        ensure_packages g++-mingw-w64-x86-64-posix || return
    fi
    run_step "configuring $folder" cmake -S "$top" -B "$folder" \
        -DCMAKE_TOOLCHAIN_FILE="$top/cmake/$toolchain.cmake" -DNMZAV_SHIPPED_BUILD="$build" || return
    cmake --build "$folder" -j"$(nproc)" "$@"
}

build_all() { build_tree "$build" mingw-i686 "$@"; }

# Builds what the chosen bench tests: on i686 everything; on the twin bench
# the shipped NMZAV.EXE with the 32-bit acceptance driver and the 32-bit app
# suite (for the page guard), and the whole twin.
build_bench() {
    if [ "$bench" = i686 ]; then
        build_all
    else
        build_all --target NMZAV acceptance app_tests && build_tree "$twin" mingw-x86_64
    fi
}

# The tree whose tests run on the chosen bench.
bench_tree() { if [ "$bench" = i686 ]; then echo "$build"; else echo "$twin"; fi; }

# --- Display and Wine ---------------------------------------------------------

# Starts Xvfb on a free display and exports DISPLAY.
start_virtual_display() {
    local number=90 log
    while [ -e "/tmp/.X$number-lock" ] || [ -e "/tmp/.X11-unix/X$number" ]; do
        number=$((number + 1))
    done
    log=$(mktemp)
    Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp >"$log" 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$number"
    for _ in $(seq 50); do
        [ -e "/tmp/.X11-unix/X$number" ] && { rm -f "$log"; return 0; }
        kill -0 "$xvfb_pid" 2>/dev/null || break
        sleep 0.1
    done
    {
        echo "FAILED: starting the virtual display"
        echo "command: Xvfb :$number -screen 0 1024x768x24 -nolisten tcp"
        tail -n 20 "$log"
    } >&2
    rm -f "$log"
    return 1
}

wine_environment() {
    export WINEPREFIX="$1"
    export WINEDEBUG=-all
    # No Gecko or Mono installers; no menu entries or icons written into the
    # host's home for the links the program makes (and no file held open by
    # the menu builder while a test replaces it).
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    export WINEARCH=win64
}

# Makes a new prefix in an empty or missing folder. With "unmanaged" as second
# argument its windows keep away from any window manager: on the bare virtual
# display Wine would otherwise wait about two seconds for each closing window,
# message boxes included, and Wine then draws the windows' frames itself.
# wineboot links the user's Desktop, Documents and the like to the host's
# home; they become real folders, so that a link one prefix saves on its
# desktop is not on every other prefix's desktop too.
make_wine_prefix() {
    local folder
    wine_environment "$1"
    mkdir -p "$1" 2>/dev/null
    run_step "making the Wine prefix $1 (wineboot -i)" "$wine64" wineboot -i || return
    if [ "${2:-}" = unmanaged ]; then
        run_step "keeping the windows of $1 unmanaged" \
            "$wine64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f || return
    fi
    run_step "waiting for the Wine prefix $1" wineserver -w || return
    for folder in "$1"/drive_c/users/*/*; do
        if [ -L "$folder" ]; then rm "$folder" && mkdir "$folder" || return; fi
    done
}

# Makes ROOT/template, a pristine prefix to copy fresh ones from (see
# copy_prefix), once per build tree; runs that start together wait for it.
make_template_prefix() {
    local root=$1
    mkdir -p "$root"
    (
        flock 9
        # The stamp changes whenever the way the template is made changes.
        local stamp="unmanaged-2" template="$root/template"
        if [ "$(cat "$template/.complete" 2>/dev/null)" != "$stamp" ]; then
            rm -rf "$template"
            make_wine_prefix "$template" unmanaged || exit 1
            echo "$stamp" >"$template/.complete"
        fi
    ) 9>"$root/template.lock"
}

# Makes PREFIX a copy of the prefix TEMPLATE. The two system DLL folders are
# large and never written: hard links suffice.
copy_prefix() {
    local template=$1 prefix=$2 entry
    rm -rf "$prefix"
    mkdir -p "$prefix/drive_c/windows"
    (cd "$template" && find . -mindepth 1 -maxdepth 1 ! -name drive_c -exec cp -a {} "$prefix/" \;)
    (cd "$template/drive_c" && find . -mindepth 1 -maxdepth 1 ! -name windows -exec cp -a {} "$prefix/drive_c/" \;)
    for entry in "$template"/drive_c/windows/*; do
        case "$(basename "$entry")" in
            system32|syswow64) cp -al "$entry" "$prefix/drive_c/windows/" ;;
            *) cp -a "$entry" "$prefix/drive_c/windows/" ;;
        esac
    done
}

# Uses (making it first, see make_wine_prefix) a Wine prefix and keeps its
# wineserver alive for the script.
use_wine_prefix() {
    wine_environment "$1"
    [ -f "$WINEPREFIX/system.reg" ] || make_wine_prefix "$@" || return
    wineserver -p
    # Start Wine's services now, detached from our output: a service started
    # later by a test would inherit CTest's pipes and keep it waiting forever.
    "$wine64" cmd /c exit </dev/null >/dev/null 2>&1
}

# Ends every wineserver (and so every Wine process) of a prefix in this tree.
stop_wineservers() {
    local pid prefix
    for pid in $(pgrep '^wineserver'); do
        prefix=$(tr '\0' '\n' 2>/dev/null <"/proc/$pid/environ" | sed -n 's/^WINEPREFIX=//p')
        case "$prefix" in
        "$top"/build/* | "$top"/build-x86_64/*) WINEPREFIX="$prefix" wineserver -k 2>/dev/null ;;
        esac
    done
    return 0
}

# --- The Windows bundle -------------------------------------------------------

# DLLs that every Windows from XP on has; the bundle's programs import no other.
system_dlls=(kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll ole32.dll
             oleaut32.dll shlwapi.dll comctl32.dll comdlg32.dll version.dll msvcrt.dll ntdll.dll)

is_system_dll() {
    local known
    for known in "${system_dlls[@]}"; do
        [ "$known" = "$1" ] && return 0
    done
    return 1
}

# Prints, for each program given, every DLL it imports that Windows does not
# ship; prints nothing when they import only the system's own.
foreign_imports() {
    local program dll
    for program in "$@"; do
        for dll in $(i686-w64-mingw32-objdump -p "$program" | awk '/DLL Name:/ {print tolower($3)}'); do
            is_system_dll "$dll" || echo "$(basename "$program") imports $dll"
        done
    done
}

# Packs the Windows bundle of the build tree TREE into ZIP: the folder
# nmzav-windows-tests with NMZAV.EXE, RUNTESTS.EXE and READ-ME.TXT, and in
# tests/ every suite's program and helper, the list of suites and the files
# the resource tests compare with what NMZAV.EXE carries.
make_bundle() {
    local tree=$1 zip=$2 stage folder foreign programs helper
    stage=$(mktemp -d)
    folder="$stage/nmzav-windows-tests"
    mkdir -p "$folder/tests/carried"
    # The suites' programs as the list names them, and the helpers they start.
    programs=$(cut -f 3 "$tree/tests/SUITES.TXT" | sort -u)
    for helper in "$top"/tests/helpers/*.cpp; do
        programs+=" $(basename "$helper" .cpp).exe"
    done
    cp "$tree/NMZAV.EXE" "$tree/RUNTESTS.EXE" "$folder/" &&
        sed 's/$/\r/' "$top/tests/bundle/READ-ME.TXT" >"$folder/READ-ME.TXT" &&
        cp "$tree/tests/SUITES.TXT" "$folder/tests/" &&
        (cd "$tree/tests" && cp $programs "$folder/tests/") &&
        cp "$top"/resources/art/*.ICO "$tree"/generated/content/*.htm "$folder/tests/carried/" || {
        rm -rf "$stage"
        return 1
    }
    foreign=$(foreign_imports "$folder"/*.EXE "$folder"/tests/*.exe)
    if [ -n "$foreign" ]; then
        echo "FAILED: the bundle's programs must import only DLLs that Windows ships:" >&2
        echo "$foreign" >&2
        rm -rf "$stage"
        return 1
    fi
    rm -f "$zip"
    (cd "$stage" && zip -q -r -X "$zip" nmzav-windows-tests)
    local status=$?
    rm -rf "$stage"
    return $status
}

# For `trap finish EXIT`: Wine, the virtual display and the emulator's
# registration go, whether the script succeeded or not.
finish() {
    local status=$?
    set +e
    stop_wineservers
    if [ -n "${xvfb_pid:-}" ]; then
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
    fi
    unregister_emulation
    return $status
}
