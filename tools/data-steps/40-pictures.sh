#!/usr/bin/env bash
# Draws the lesson texts' inline pictures h01..h17 into data/ as Windows bitmaps.
set -euo pipefail
tool="$LEXITAR_BUILD/drawpictures"
if [ ! -x "$tool" ]; then
  echo "40-pictures: $tool is not built; build the target drawpictures first" >&2
  exit 1
fi
if [ -e "$LEXITAR_DATA/h17.m" ] && [ "$LEXITAR_DATA/h17.m" -nt "$tool" ]; then
  echo "40-pictures: up to date"
  exit 0
fi
QT_QPA_PLATFORM=offscreen "$tool" "$LEXITAR_DATA"
echo "40-pictures: drew h01..h17"
