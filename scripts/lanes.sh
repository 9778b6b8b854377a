# Shared by the scripts: build folders and the configure step of each lane.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
jobs=$(nproc)

configure_native() {  # folder, sanitizer, build type, extra options...
  local dir=$1 san=$2 type=$3; shift 3
  cmake -S "$root" -B "$root/build/$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" \
    -DTANDREL_SANITIZE="$san" "$@" >/dev/null
}

# The Linux program, its tests and its Debian package (optimised: the package comes from here).
configure_linux() {
  cmake -S "$root" -B "$root/build/linux" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTANDREL_LINUX=ON >/dev/null
}

# The Linux program's tests again under AddressSanitizer and UndefinedBehaviorSanitizer (the
# package comes from the optimised lane above, never from this one).
configure_linux_sanitized() {
  CMAKE_CXX_COMPILER_LAUNCHER=ccache cmake -S "$root" -B "$root/build/linux-asan" -G Ninja \
    -DCMAKE_BUILD_TYPE=Debug -DTANDREL_LINUX=ON -DTANDREL_SANITIZE=address >/dev/null
}

# With the plain benchmark programs of the lane (idle_cost, config_window_open).
configure_windows() {
  cmake -S "$root" -B "$root/build/windows" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DTANDREL_BENCH=ON >/dev/null
}

# Wine in a prefix of its own under the build folder, with a warm server: its background
# services must not inherit ctest's pipes.
export WINEDEBUG=-all
export WINEPREFIX="$root/build/windows/wineprefix"
# winmm, xinput1_4: a DLL beside a program comes before the system's, as on Windows; the
# process-level tests put stand-ins there that report scripted controllers and pads. Wine reads
# this from its own environment only, never from one a program passes to the programs it starts.
export WINEDLLOVERRIDES="mscoree,mshtml=;winmm=n,b;xinput1_4=n,b"
# Wine's desktop process picks its display driver when the session starts: started without a
# display, no program of the session can ever open a window (message boxes, dialogs). So the
# session gets a virtual display of its own for its whole life.
wine_start() {
  mkdir -p "$WINEPREFIX"
  if [ -z "${wine_xvfb_pid:-}" ]; then
    local number_file
    number_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$number_file" \
      </dev/null >/dev/null 2>&1 &
    wine_xvfb_pid=$!
    for _ in $(seq 100); do [ -s "$number_file" ] && break; sleep 0.1; done
    export DISPLAY=":$(head -n1 "$number_file")"
    rm -f "$number_file"
  fi
  wineserver -p </dev/null >/dev/null 2>&1
  wine wineboot </dev/null >/dev/null 2>&1 || true
  # Without a window manager Wine stalls about 2 s whenever a window closes or hides, unless
  # it manages the windows itself.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1 || true
}
wine_stop() {
  wineserver -k </dev/null >/dev/null 2>&1 || true
  if [ -n "${wine_xvfb_pid:-}" ]; then
    kill "$wine_xvfb_pid" 2>/dev/null
    wait "$wine_xvfb_pid" 2>/dev/null
    unset wine_xvfb_pid
  fi
}
