#!/bin/sh
# Every text the player sees has its English translation. The template made afresh from the
# sources is the one in po/; the English catalog translates each of its texts, none missing and
# none fuzzy; every listed catalog passes msgfmt --check and is named in the metainfo; and no
# Japanese text in the sources goes around the catalog.
#   tests/check_translations.sh   (from the top of the source tree)
set -eu
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "$*"
  exit 1
}

# A Japanese string literal is a text the player sees unless it names a file (the wave files);
# each must be the text of _(), N_(), C_() or P_().
python3 - flow view shell sound <<'PYTHON'
import pathlib, re, sys
token = re.compile(r'//[^\n]*|/\*.*?\*/|"(?:\\.|[^"\\\n])*"|\w+|.', re.S)
bad = []
for folder in sys.argv[1:]:
    for path in sorted(pathlib.Path(folder).rglob('*')):
        if path.suffix not in ('.cpp', '.h'):
            continue
        source = path.read_text(encoding='utf-8')
        code = []  # (offset, text) of the tokens that are not comments or blanks
        for m in token.finditer(source):
            if not m.group().startswith(('//', '/*')) and not m.group().isspace():
                code.append((m.start(), m.group()))
        for i, (offset, text) in enumerate(code):
            if not text.startswith('"') or text.isascii() or text.endswith('.wav"'):
                continue
            j = i - 1
            while j >= 0 and code[j][1].startswith('"'):
                j -= 1  # pieces of the same literal
            before = [t for _, t in code[max(0, j - 3):j + 1]]
            if before[-2:] in (['_', '('], ['N_', '('], ['P_', '(']) or before[-4::3] == ['C_', ',']:
                continue
            bad.append(f'{path}:{source.count(chr(10), 0, offset) + 1}: {text}')
if bad:
    print('Texts the player sees that do not go through the catalog (write them as _("...")):')
    print('\n'.join(bad))
    sys.exit(1)
PYTHON

sh po/make-template.sh "$work/fresh.pot"
grep -v '^"POT-Creation-Date:' po/zelkan.pot >"$work/kept"
grep -v '^"POT-Creation-Date:' "$work/fresh.pot" >"$work/fresh"
diff -u "$work/kept" "$work/fresh" ||
  fail "po/zelkan.pot is not the sources' template: run po/make-template.sh --update, then translate what is new in po/en.po"
msgcmp po/en.po "$work/fresh.pot" || fail "po/en.po lacks the translations above"
for language in $(grep -v '^#' po/LINGUAS); do
  msgfmt --check -o /dev/null "po/$language.po" || fail "po/$language.po does not compile cleanly"
  grep -q "<lang[^>]*>$language</lang>" packaging/*.metainfo.xml ||
    fail "the metainfo does not list $language among its languages"
done
