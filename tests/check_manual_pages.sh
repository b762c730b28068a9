#!/bin/sh
# A program's manual page names the same options as its --help, and man renders the page without
# a warning.
#   check_manual_pages.sh <program> <page>
set -eu
program=$1
page=$2
# "  -h, --help     Show ..." -> -h and --help
from_help=$(LC_ALL=C "$program" --help | sed -n 's/^ \{1,\}\(-[^ ]*\(, -[^ ]*\)*\)  .*/\1/p' |
  tr ',' '\n' | sed 's/^ *//; s/=.*//' | sort)
# The option lines (.B, .BR, .BI) of the OPTIONS section, the roff's "\-" read as "-".
from_page=$(sed -n '/^\.SH OPTIONS/,/^\.SH /p' "$page" | sed -n 's/\\-/-/g; /^\.B/p' |
  grep -oE -- '--?[a-z][a-z-]*' | sort)
if [ "$from_help" != "$from_page" ]; then
  echo "$program --help names: $from_help"
  echo "$page names: $from_page"
  exit 1
fi
warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
[ -z "$warnings" ] || { echo "$warnings"; exit 1; }
