#!/bin/sh
# The desktop entry, the AppStream metainfo and the game records' file type pass their validators
# without a single remark, pedantic ones included; the file type then tells a record by its name
# and by its first line.
#   check_desktop_files.sh packaging/<desktop id>
remarks=$(desktop-file-validate "$1.desktop" 2>&1 &&
  appstreamcli validate --no-net --pedantic "$1.metainfo.xml" 2>&1) || { echo "$remarks"; exit 1; }
if echo "$remarks" | grep -E '^[EWIP]:|: (error|warning|hint):'; then exit 1; fi
mime=$(mktemp -d) && trap 'rm -rf "$mime"' EXIT
mkdir -p "$mime/mime/packages" && cp "$1.mime.xml" "$mime/mime/packages/zelkan.xml"
remarks=$(xmllint --noout "$1.mime.xml" 2>&1 &&
  XDG_DATA_DIRS="$mime" update-mime-database "$mime/mime" 2>&1) &&
  [ -z "$remarks" ] || { echo "$remarks"; exit 1; }
printf 'zelkan-record 1\n10 18 10 12\n' >"$mime/record.txt"
for file in "$mime/record.txt" "$mime/mime/packages/zelkan.xml"; do
  type=$(XDG_DATA_HOME="$mime" XDG_DATA_DIRS="$mime" gio info -a standard::content-type "$file" 2>&1 |
    sed -n 's/.*standard::content-type: //p')
  echo "$file: $type"
done | grep -q 'record.txt: application/x-zelkan-record' || { echo "a record is not told"; exit 1; }
