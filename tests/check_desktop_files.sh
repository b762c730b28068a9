#!/bin/sh
# The desktop entry and the AppStream metainfo pass their validators without a single remark,
# pedantic ones included.
set -u
desktop_file_validate=$1
appstreamcli=$2
entry=$3
metainfo=$4
status=0
remarks=$("$desktop_file_validate" "$entry" 2>&1) || status=1
[ -z "$remarks" ] || { echo "$remarks"; status=1; }
remarks=$("$appstreamcli" validate --no-net --pedantic "$metainfo" 2>&1) || status=1
if [ $status -ne 0 ] || echo "$remarks" | grep -qE '^[EWIP]:'; then
  echo "$remarks"
  status=1
fi
exit $status
