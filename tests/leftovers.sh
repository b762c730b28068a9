# What tests may leave behind, found and taken away: processes told by a variable in their
# environment, FUSE mounts (the document portal's), temporary files. Sourced by the scripts that
# start such things, and by the test command, which checks at its end that nothing is left.

# The processes whose environment holds NAME=VALUE, one id a line. The search itself runs without
# the variable, so it never finds itself.
marked_processes() {
  local found
  found=$(env -u "${1%%=*}" grep -lzxF -- "$1" /proc/[0-9]*/environ 2>/dev/null) || true
  found=${found//\/proc\//}
  found=${found//\/environ/}
  [ -z "$found" ] || printf '%s\n' $found
}

# Whether the process runs (a zombie has ended, only its parent has not looked yet).
running() {
  local stat
  stat=$(cat "/proc/$1/stat" 2>/dev/null) || return 1
  stat=${stat##*) }
  [ "${stat:0:1}" != Z ]
}

# Asks the processes to end, and kills those still there after five seconds.
end_processes() {
  [ $# -gt 0 ] || return 0
  kill -TERM "$@" 2>/dev/null || true
  local pid left _
  for _ in $(seq 50); do
    left=0
    for pid; do running "$pid" && left=1; done
    [ $left = 1 ] || return 0
    sleep 0.1
  done
  kill -KILL "$@" 2>/dev/null || true
}

# The FUSE mounts under the folder, one a line.
fuse_mounts() {
  local point
  awk '{ for (i = 7; $i != "-"; i++) {}
         if ($(i + 1) == "fuse" || $(i + 1) ~ /^fuse\./) print $5 }' /proc/self/mountinfo |
    while read -r point; do
      point=$(printf '%b' "$point")  # the kernel writes a blank as \040
      [[ $point != "$1"/* ]] || printf '%s\n' "$point"
    done
}

# Unmounts the FUSE mounts under the folder, lazily where a plain unmount is refused (a process
# still in one).
unmount_fuse() {
  local point
  while read -r point; do
    fusermount3 -u "$point" 2>/dev/null || fusermount3 -u -z "$point" 2>/dev/null ||
      umount -l "$point"
  done < <(fuse_mounts "$1")
}

# For the test command: everything started from here on carries ZELKAN_TEST_RUN in its
# environment and makes its temporary files in a folder of the run's own (TMPDIR). At the end,
# whether the run passed or not, what is left running, mounted or on disk is named and taken
# away, and the run fails.
watch_for_leftovers() {
  TMPDIR=$(mktemp -d -t zelkan-test-XXXXXX)
  export TMPDIR ZELKAN_TEST_RUN=$TMPDIR
  trap check_leftovers EXIT
}

# Notes an X server's display number (":" left off) as the run's, so that its lock is looked
# for at the end; a display another program holds is never ours.
note_display() {
  [ -z "${ZELKAN_TEST_RUN:-}" ] || echo "$1" >>"$ZELKAN_TEST_RUN/.displays"
}

check_leftovers() {
  local status=$? left=() pids pid point number
  pids=$(marked_processes "ZELKAN_TEST_RUN=$TMPDIR")
  for pid in $pids; do
    left+=("process $pid: $(tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null)")
  done
  # A mount elsewhere (a portal's without a runtime folder, in HOME) is named by its process.
  while read -r point; do
    left+=("FUSE mount $point")
  done < <(fuse_mounts "$TMPDIR")
  end_processes $pids
  unmount_fuse "$TMPDIR"
  # An X server of the run's, killed before it could remove its lock.
  while read -r number; do
    point=/tmp/.X$number-lock
    [ -e "$point" ] || continue  # its server ended and removed it
    pid=$(tr -d ' ' <"$point") || continue
    running "$pid" && continue
    left+=("X server lock $point")
    rm -f "$point" "/tmp/.X11-unix/X$number"
  done < <(sort -u "$TMPDIR/.displays" 2>/dev/null)
  rm -f "$TMPDIR/.displays"
  for point in "$TMPDIR"/* "$TMPDIR"/.[!.]*; do
    [ ! -e "$point" ] || left+=("temporary ${point#"$TMPDIR"/}")
  done
  rm -rf "$TMPDIR"
  if [ ${#left[@]} -gt 0 ]; then
    printf 'The tests left behind:\n'
    printf '  %s\n' "${left[@]}"
    [ "$status" -ne 0 ] || status=1
  fi
  exit "$status"
}
