#!/bin/sh
# The desktop entry and the AppStream metainfo pass their validators without a single remark,
# pedantic ones included.
#   check_desktop_files.sh packaging/<desktop id>
remarks=$(desktop-file-validate "$1.desktop" 2>&1 &&
  appstreamcli validate --no-net --pedantic "$1.metainfo.xml" 2>&1) || { echo "$remarks"; exit 1; }
if echo "$remarks" | grep -E '^[EWIP]:|: (error|warning|hint):'; then exit 1; fi
