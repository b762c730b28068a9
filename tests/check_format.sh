#!/bin/sh
# Every C++ file the repository tracks follows .clang-format.
set -eu
clang_format=$1
if ! files=$(git ls-files '*.cpp' '*.h' 2>/dev/null); then
  echo "not a git checkout: nothing to check"
  exit 0
fi
echo "$files" | xargs "$clang_format" --dry-run --Werror
