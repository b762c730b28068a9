#!/usr/bin/env bash
# A session bus for the programs on a test screen, given as a desktop session gives one: a
# runtime folder of its own (XDG_RUNTIME_DIR, mode 0700) holding the bus's socket as "bus" and
# whatever the programs on the bus keep there (the document portal mounts its FUSE folder "doc"),
# and the screen's display put in the bus's activation environment, so the portals the bus starts
# find it. At the end the bus is taken down with every program it started (and a command run
# through this script, with whatever that left running), their FUSE mounts are unmounted and the
# folder is removed.
#   tests/session_bus.sh --ready=FD            writes the runtime folder on FD once the bus takes
#                                              connections, and runs until TERM, INT or HUP
#   tests/session_bus.sh -- COMMAND [ARG...]   runs the command on the bus; exits with its status
# DISPLAY names the screen.
set -euo pipefail
source "$(dirname "$0")/leftovers.sh"

runtime=$(mktemp -d "${TMPDIR:-/tmp}/zelkan-session-XXXXXX")
# Everything on the bus carries this in its environment, however it was started.
mark=ZELKAN_SESSION=$runtime
finish() {
  trap '' TERM INT HUP
  end_processes $(marked_processes "$mark")
  wait
  unmount_fuse "$runtime"
  rm -rf "$runtime"
}
trap finish EXIT
trap 'exit 143' TERM
trap 'exit 130' INT
trap 'exit 129' HUP

case ${1:-} in
  --ready=*) ready=${1#--ready=} ;;
  --) shift ;;
  *) echo "usage: $0 --ready=FD | -- COMMAND [ARG...]" >&2; exit 2 ;;
esac

address=unix:path=$runtime/bus
mkfifo "$runtime/started"
exec {started}<>"$runtime/started"
rm "$runtime/started"
# The display comes through the activation environment alone, as on a desktop whose bus starts
# before its screen; no program on this bus may reach a Wayland display of the machine's.
(
  [ -z "${ready:-}" ] || exec {ready}>&-
  exec env -u DISPLAY -u WAYLAND_DISPLAY "$mark" XDG_RUNTIME_DIR="$runtime" \
    DBUS_SESSION_BUS_ADDRESS="$address" dbus-daemon --session --nofork --nopidfile \
    --address="$address" --print-address="$started"
) &
read -r -t 10 _ <&"$started" || { echo "dbus-daemon did not start" >&2; exit 1; }
exec {started}>&-
DBUS_SESSION_BUS_ADDRESS=$address dbus-update-activation-environment DISPLAY \
  XDG_RUNTIME_DIR="$runtime" ${XAUTHORITY:+XAUTHORITY}

if [ -n "${ready:-}" ]; then
  echo "$runtime" >&"$ready"
  exec {ready}>&-
  wait
else
  env "$mark" XDG_RUNTIME_DIR="$runtime" DBUS_SESSION_BUS_ADDRESS="$address" "$@" &
  status=0
  wait $! || status=$?
  exit $status
fi
