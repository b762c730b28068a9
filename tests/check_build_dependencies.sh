#!/bin/sh
# Every program the build's CMake files look for (find_program) is named, as `program`, among the
# README's build dependencies: the paragraph from "Building the game needs" on.
#   tests/check_build_dependencies.sh   (from the top of the source tree)
set -eu
needs=$(sed -n '/Building the game needs/,/^$/p' README.md)
[ -n "$needs" ] || { echo "README.md names no build dependencies"; exit 1; }
programs=$(find . -mindepth 1 \( -name 'build*' -o -name '.*' \) -prune -o \
  \( -name CMakeLists.txt -o -name '*.cmake' \) -type f -print |
  xargs sed -n 's/.*find_program( *[A-Za-z_]* \([^ )]*\).*/\1/p' | sort -u)
[ -n "$programs" ] || { echo "no find_program found"; exit 1; }
status=0
for program in $programs; do
  case $needs in
    *"\`$program\`"*) ;;
    *) echo "README.md's build dependencies do not name $program"; status=1 ;;
  esac
done
exit $status
