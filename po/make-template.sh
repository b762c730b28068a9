#!/bin/sh
# Writes the template of every text the player sees, as xgettext finds them in the sources, to
# the file given (po/zelkan.pot when none is). With --update it also rewrites po/zelkan.pot and
# merges it into each listed catalog, whose new and changed entries then wait for a translator.
#   po/make-template.sh [--update | OUTPUT]
set -eu
cd "$(dirname "$0")/.."
output=po/zelkan.pot
update=no
case "${1:-}" in
  --update) update=yes ;;
  "") ;;
  *) output=$1 ;;
esac
version=$(sed -n 's/^project(Zelkan VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
# Sorted names, with no line numbers, so the template changes only when a text does.
find flow view shell sound -name '*.cpp' -o -name '*.h' | LC_ALL=C sort |
  xgettext --files-from=- --output="$output" --from-code=UTF-8 --language=C++ \
    --keyword=_ --keyword=N_ --keyword=C_:1c,2 --keyword=P_:1,1 \
    --flag=fill:1:c-format --flag=P_:1:c-format --add-comments=TRANSLATORS: \
    --add-location=file --package-name=zelkan --package-version="$version" \
    --msgid-bugs-address=zelkan@example.org
if [ "$update" = yes ]; then
  for language in $(grep -v '^#' po/LINGUAS); do
    msgmerge --quiet --update --backup=none --add-location=file "po/$language.po" "$output"
  done
fi
