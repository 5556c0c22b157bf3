#!/usr/bin/env bash
# The sample book of lesson 7: its audiobook, spoken sentence by sentence with the RP
# voice, and the reader project data/book/clock-shop.acp with one control point per
# sentence at the moment the synthesis started it.
set -euo pipefail
: "${LEXITAR_ROOT:?}" "${LEXITAR_BUILD:?}" "${LEXITAR_DATA:?}"
synth="$LEXITAR_BUILD/lexitar-soundsynth"
builder="$LEXITAR_ROOT/tools/book/build_book.py"
text="$LEXITAR_DATA/book/clock-shop-en.txt"
acp="$LEXITAR_DATA/book/clock-shop.acp"
wav="$LEXITAR_DATA/book/clock-shop.wav"
if [ ! -r "$text" ]; then
  echo "60-sample-book: $text is missing" >&2
  exit 1
fi
# Up to date when the project and the recording are newer than the English text,
# the builder and this step. The text is compared by content, since the copy into
# the build folder renews its time.
stamp="$LEXITAR_DATA/book/.clock-shop.sum"
sum=$(cat "$text" "$builder" "$0" | sha1sum | cut -d' ' -f1)
if [ -s "$acp" ] && [ -s "$wav" ] && [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$sum" ]; then
  echo "60-sample-book: up to date"
  exit 0
fi
if [ ! -x "$synth" ]; then
  echo "60-sample-book: $synth is not built (it needs libespeak-ng-dev: run tools/setup.sh, then the build)" >&2
  exit 1
fi
start=$(date +%s)
/usr/bin/python3 "$builder" "$LEXITAR_DATA" "$synth"
echo "$sum" > "$stamp"
echo "60-sample-book: built in $(( $(date +%s) - start )) s"
