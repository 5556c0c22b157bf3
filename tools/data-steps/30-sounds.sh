#!/usr/bin/env bash
# The sound index data/words.txt and its recordings under data/sounds/, spoken by
# espeak-ng. Runs after the dictionary step, whose transcriptions it reuses.
set -euo pipefail
: "${LEXITAR_ROOT:?}" "${LEXITAR_BUILD:?}" "${LEXITAR_DATA:?}"
synth="$LEXITAR_BUILD/lexitar-soundsynth"
builder="$LEXITAR_ROOT/tools/sounds/build_sounds.py"
out="$LEXITAR_DATA/words.txt"
if [ ! -x "$synth" ]; then
  echo "sounds: $synth is not built (it needs libespeak-ng-dev: run tools/setup.sh, then the build)" >&2
  exit 1
fi
# Up to date when words.txt is newer than the builder, the tool, the dictionary and
# every course text it takes words from (not the download page, which the program
# writes at every start).
if [ -f "$out" ] && [ -d "$LEXITAR_DATA/sounds" ]; then
  newer=$(find "$LEXITAR_ROOT/tools/sounds" "$synth" "$LEXITAR_DATA" \
    \( -path "$LEXITAR_DATA/sounds" -o -path "$LEXITAR_DATA/book" -o -name '.sounds-*' \) -prune -o \
    -type f \( -path "$LEXITAR_ROOT/tools/sounds/*" -o -path "$synth" -o -name '*.txt' -o -name '*.html' \) \
    ! -name words.txt ! -name info.txt ! -name 'w01.txt' ! -name download.html -newer "$out" -print -quit)
  if [ -z "$newer" ]; then
    echo "sounds: up to date"
    exit 0
  fi
fi
start=$(date +%s)
/usr/bin/python3 "$builder" "$LEXITAR_DATA" "$synth"
echo "sounds: built in $(( $(date +%s) - start )) s"
