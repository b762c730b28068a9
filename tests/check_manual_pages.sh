#!/bin/sh
# A program's manual page names the same options as its --help, and man renders the page without
# a warning. The help in an ASCII locale shows no question marks in place of letters it cannot
# show, and an unknown option fails and points to --help. Given the source of a program's command
# table, its --help and its page name the same commands as the table.
#   check_manual_pages.sh <program> <page> [<command table source>]
set -eu
program=$1
page=$2
commands=${3:-}
fail() {
  printf '%s\n' "$@"
  exit 1
}
help=$(LC_ALL=C "$program" --help)
case $help in *\?*) fail "$program --help in the C locale:" "$help" ;; esac
if refusal=$(LC_ALL=C "$program" --no-such-option 2>&1); then fail "$program took --no-such-option"; fi
case $refusal in
  *"$(basename "$program") --help"*) ;;
  *) fail "$program --no-such-option does not point to --help:" "$refusal" ;;
esac
if [ -n "$commands" ]; then
  # The table compares each command word: command == "play", or a list the command runs over.
  from_table=$(grep -E 'command (==|:)' "$commands" | grep -oE '"[a-z_]+"' | tr -d '"' | sort -u)
  from_help=$(printf '%s\n' "$help" | sed -n '/^Commands:/,$s/^  \([a-z_]\{1,\}\).*/\1/p' | sort)
  # The first word of each tagged paragraph of the COMMANDS section.
  from_page=$(sed -n '/^\.SH COMMANDS/,/^\.SH /p' "$page" | sed -n '/^\.TP/{n;p;}' |
    sed -n 's/^\.B[IR]* \([a-z_]*\).*/\1/p' | sort)
  [ "$from_table" = "$from_help" ] && [ "$from_table" = "$from_page" ] ||
    fail "commands in $commands:" $from_table "in --help:" $from_help "in $page:" $from_page
fi
# "  -h, --help     Show ..." -> -h and --help
from_help=$(printf '%s\n' "$help" | sed -n 's/^ \{1,\}\(-[^ ]*\(, -[^ ]*\)*\)  .*/\1/p' |
  tr ',' '\n' | sed 's/^ *//; s/=.*//' | sort)
# The option lines (.B, .BR, .BI) of the OPTIONS section, the roff's "\-" read as "-".
from_page=$(sed -n '/^\.SH OPTIONS/,/^\.SH /p' "$page" | sed -n 's/\\-/-/g; /^\.B/p' |
  grep -oE -- '--?[a-z][a-z-]*' | sort)
[ "$from_help" = "$from_page" ] || fail "$program --help names:" $from_help "$page names:" $from_page
warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
[ -z "$warnings" ] || { echo "$warnings"; exit 1; }
