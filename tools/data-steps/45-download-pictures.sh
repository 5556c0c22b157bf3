#!/usr/bin/env bash
# Draws the download page's pictures beside it: data/html/image/*.jpg, bg.gif, favicon.ico.
set -euo pipefail
tool="$LEXITAR_BUILD/drawpagepictures"
if [ ! -x "$tool" ]; then
  echo "45-download-pictures: $tool is not built; build the target drawpagepictures first" >&2
  exit 1
fi
if [ -e "$LEXITAR_DATA/html/favicon.ico" ] && [ "$LEXITAR_DATA/html/favicon.ico" -nt "$tool" ]; then
  echo "45-download-pictures: up to date"
  exit 0
fi
QT_QPA_PLATFORM=offscreen "$tool" "$LEXITAR_DATA"
echo "45-download-pictures: drew the download page's pictures"
