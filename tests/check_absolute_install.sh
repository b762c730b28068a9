#!/usr/bin/env bash
# The game as distributions' build macros install it: the bin, lib and data folders given as
# absolute paths (Fedora's /usr/lib64), configured without the test and benchmark libraries, and
# installed under DESTDIR, which moves the whole tree. Its run path names only the private library
# folder, relative to the program; started on a screen of its own from the player's folder, it
# stays there (its own files are found by their full paths) and writes its settings into the
# config folder. The build folder's program has no
# empty entry in its run path, which would make the loader look in the current folder.
#   tests/check_absolute_install.sh <build folder>
set -euo pipefail
cd "$(dirname "$0")/.."
build=$1
source=$PWD
source tests/leftovers.sh
work=$(mktemp -d -t zelkan-install-XXXXXX)
server=
game=
finish() {
  [ -z "$game" ] || kill "$game" 2>/dev/null || true
  [ -z "$server" ] || kill "$server" 2>/dev/null || true
  wait
  rm -rf "$work"
}
trap finish EXIT

# GoogleTest and Google Benchmark made unfindable: the tests are left out with a warning.
cmake -S . -B "$build" -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_INSTALL_BINDIR=/usr/bin \
  -DCMAKE_INSTALL_LIBDIR=/usr/lib64 -DCMAKE_INSTALL_DATADIR=/usr/share -UBUILD_TESTING \
  -UZELKAN_BENCHMARKS -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON \
  -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON >"$work/configure.log" 2>&1 ||
  { cat "$work/configure.log"; exit 1; }
cmake --build "$build" -j "$(nproc)"
root=$work/root
DESTDIR=$root cmake --install "$build" >/dev/null

runpath() { readelf -d "$1" | sed -n 's/.*(RUNPATH).*\[\(.*\)\]/\1/p'; }
runpath=$(runpath "$root/usr/bin/zelkan")
[ "$runpath" = "\$ORIGIN/../lib64/zelkan" ] || { echo "run path of zelkan: $runpath"; exit 1; }
[[ ":$(runpath "$build/bin/zelkan"):" != *::* ]] || { echo "empty entry: $(runpath "$build/bin/zelkan")"; exit 1; }

mkfifo "$work/display"
exec 3<>"$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 2>/dev/null &
server=$!
read -r -t 60 number <&3 || { echo "Xvfb did not start"; exit 1; }
note_display "$number"
export DISPLAY=:$number
mkdir "$work/home"
(cd "$work/home" && HOME=$work/home XDG_CONFIG_HOME= NO_AT_BRIDGE=1 GSETTINGS_BACKEND=memory \
  SDL_AUDIODRIVER=dummy bash "$source/tests/session_bus.sh" -- "$root/usr/bin/zelkan") \
  >"$work/zelkan.log" 2>&1 &
game=$!
pid=$(timeout 60 xdotool search --sync --classname '^org\.zelkan\.zelkan$' getwindowpid) ||
  { echo "no window of the installed game"; cat "$work/zelkan.log"; exit 1; }
pid=$(head -1 <<<"$pid")
folder=$(readlink "/proc/$pid/cwd")
[ "$folder" = "$work/home" ] || { echo "the game runs in $folder"; exit 1; }
for _ in $(seq 600); do [ -s "$work/home/.config/zelkan/Zelkan.ini" ] && break; sleep 0.1; done
[ -s "$work/home/.config/zelkan/Zelkan.ini" ] || { echo "no settings file written"; exit 1; }
kill "$pid"
echo "installed with absolute folders: runs from $root/usr/bin, run path $runpath"
