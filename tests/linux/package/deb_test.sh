#!/usr/bin/env bash
# The Debian package: it depends on Debian's packages alone, installs with dpkg, runs from its
# installed files (a new configuration folder gets the default files, SIGTERM ends it with 0;
# `tandrel` from the application menu opens its configuration window), and leaves nothing
# behind when it is purged. Needs root (dpkg); exits 77 (skipped) without.
set -uo pipefail
deb=$1
[ "$(id -u)" = 0 ] || { echo "skipped: installing a package needs root"; exit 77; }
work=$(mktemp -d)
xvfb_pid=
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  dpkg --purge tandrel >/dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAILED: $*"; exit 1; }
files=(/usr/bin/tandrel /usr/bin/tandrel-cli /usr/share/tandrel/Tandrel.exe.config
  /usr/share/tandrel/Actions.xml /usr/share/tandrel/Gamepad.xml /usr/share/tandrel/SlideShow.xml
  /usr/share/doc/tandrel/Tandrel.html /usr/share/doc/tandrel/copyright
  /usr/lib/systemd/user/tandrel.service /etc/xdg/autostart/tandrel.desktop
  /usr/share/applications/tandrel.desktop /usr/share/icons/hicolor/32x32/apps/tandrel.png
  /usr/share/man/man1/tandrel.1.gz /usr/share/man/man1/tandrel-cli.1.gz)

# Every dependency is a package of this Debian system.
depends=$(dpkg-deb -f "$deb" Depends)
[ -n "$depends" ] || fail "no dependencies recorded"
for dependency in $(echo "$depends" | tr ',' '\n' | sed 's/(.*)//; s/|.*//'); do
  dpkg-query -W -f='${Status}' "$dependency" 2>/dev/null | grep -q 'install ok installed' ||
    fail "depends on $dependency, which is not a Debian package installed here"
done

dpkg -i "$deb" >"$work/dpkg.txt" 2>&1 || { cat "$work/dpkg.txt"; fail "dpkg -i"; }
for f in "${files[@]}"; do [ -f "$f" ] || fail "$f was not installed"; done
[ "$(tandrel-cli check /usr/share/tandrel/Tandrel.exe.config)" = "No problems found." ] ||
  fail "the installed default files do not pass the check"
grep -qx 'ExecStart=/usr/bin/tandrel run' /usr/lib/systemd/user/tandrel.service ||
  fail "the unit does not start tandrel"
grep -qx 'Restart=on-failure' /usr/lib/systemd/user/tandrel.service || fail "the unit gives up"
if command -v systemd-analyze >/dev/null; then
  units=$(XDG_RUNTIME_DIR=$work systemd-analyze verify --user tandrel.service 2>&1) ||
    fail "the unit does not verify: $units"
  [ -z "$units" ] || fail "systemd-analyze on the unit: $units"
fi
version=$(dpkg-deb -f "$deb" Version)
[ "$(tandrel --version)" = "tandrel $version" ] || fail "tandrel --version"
# The manual pages, of this version, render without a warning (where groff is installed).
for page in tandrel tandrel-cli; do
  zgrep -q "\"Tandrel $version\"" "/usr/share/man/man1/$page.1.gz" || fail "$page(1): no version"
  command -v groff >/dev/null || continue
  warnings=$(zcat "/usr/share/man/man1/$page.1.gz" | groff -man -Tutf8 -ww -z 2>&1)
  [ -z "$warnings" ] || fail "$page(1): $warnings"
done

# The installed program, on a virtual display (that ends with this script, even killed), seeds
# a new configuration folder.
setpriv --pdeathsig TERM Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp \
  3>"$work/display" </dev/null >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 200); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$work/display")" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work"
tandrel run --verbose >"$work/out.txt" 2>"$work/err.txt" &
program=$!
for _ in $(seq 200); do grep -q '^window "' "$work/out.txt" && break; sleep 0.1; done
grep -q '^window "' "$work/out.txt" || { cat "$work/err.txt"; fail "tandrel did not start"; }
kill -TERM $program
wait $program || fail "tandrel ended with $? on SIGTERM"
grep -qx "tandrel: first run: copied the default files to $work/config/tandrel" "$work/out.txt" ||
  fail "no note of the first run"
cmp -s /usr/share/tandrel/Gamepad.xml "$work/config/tandrel/Gamepad.xml" || fail "not seeded"

# The application menu's entry starts the window's program; without a tray on this display its
# configuration window opens, and SIGTERM ends it with 0.
grep -qx 'Exec=tandrel' /usr/share/applications/tandrel.desktop || fail "the menu entry"
tandrel >"$work/out.txt" 2>"$work/err.txt" &
program=$!
for _ in $(seq 200); do
  xdotool search --name '^Tandrel Configuration$' >/dev/null 2>&1 && break
  sleep 0.1
done
xdotool search --name '^Tandrel Configuration$' >/dev/null 2>&1 ||
  { cat "$work/err.txt"; fail "tandrel opened no configuration window"; }
kill -TERM $program
wait $program || fail "tandrel (the window's program) ended with $? on SIGTERM"

dpkg --purge tandrel >"$work/dpkg.txt" 2>&1 || { cat "$work/dpkg.txt"; fail "dpkg --purge"; }
for f in "${files[@]}" /usr/share/tandrel /usr/share/doc/tandrel; do
  [ ! -e "$f" ] || fail "$f is still there after the purge"
done
echo "package installed, ran and was purged"
