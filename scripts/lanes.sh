# Shared by the scripts: build folders and the configure step of each lane.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
jobs=$(nproc)

configure_native() {  # folder, sanitizer, build type, extra options...
  local dir=$1 san=$2 type=$3; shift 3
  cmake -S "$root" -B "$root/build/$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" \
    -DTANDREL_SANITIZE="$san" "$@" >/dev/null
}

configure_windows() {
  cmake -S "$root" -B "$root/build/windows" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" >/dev/null
}

# Wine in a prefix of its own under the build folder, with a warm server: its background
# services must not inherit ctest's pipes.
export WINEDEBUG=-all
export WINEPREFIX="$root/build/windows/wineprefix"
export WINEDLLOVERRIDES="mscoree,mshtml="
wine_start() {
  mkdir -p "$WINEPREFIX"
  wineserver -p </dev/null >/dev/null 2>&1
  wine wineboot </dev/null >/dev/null 2>&1 || true
}
wine_stop() { wineserver -k </dev/null >/dev/null 2>&1 || true; }
