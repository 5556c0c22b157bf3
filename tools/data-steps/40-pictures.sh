#!/usr/bin/env bash
# Draws the lesson texts' inline pictures h01..h17 and lesson 1's pictures (0, r*, g*,
# t1..t6) into data/ as Windows bitmaps; t6 is written last.
set -euo pipefail
tool="$LEXITAR_BUILD/drawpictures"
if [ ! -x "$tool" ]; then
  echo "40-pictures: $tool is not built; build the target drawpictures first" >&2
  exit 1
fi
if [ -e "$LEXITAR_DATA/t6.m" ] && [ "$LEXITAR_DATA/t6.m" -nt "$tool" ]; then
  echo "40-pictures: up to date"
  exit 0
fi
QT_QPA_PLATFORM=offscreen "$tool" "$LEXITAR_DATA"
echo "40-pictures: drew h01..h17 and the pictures of lesson 1"
