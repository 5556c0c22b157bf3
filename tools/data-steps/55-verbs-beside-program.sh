#!/usr/bin/env bash
# Lesson 3 opens the irregular verb list (verbs.txt, for lesson 6) and its spreadsheet
# (verbs.xls) from the program's own folder: put copies of both there. A newer copy
# there (the learner saved over the list) is kept.
set -euo pipefail
for f in verbs.txt verbs.xls; do
  src="$LEXITAR_DATA/$f"
  dst="$LEXITAR_BUILD/$f"
  if [ ! -r "$src" ]; then
    echo "55-verbs-beside-program: $src is missing" >&2
    exit 1
  fi
  if [ -e "$dst" ] && ! [ "$src" -nt "$dst" ]; then
    echo "55-verbs-beside-program: $f up to date"
    continue
  fi
  cp -p "$src" "$dst.tmp.$$"
  mv "$dst.tmp.$$" "$dst"
  echo "55-verbs-beside-program: wrote $dst"
done
