#!/usr/bin/env bash
# Builds data/phontm.ttf (PhoneticTM) and data/georgia.ttf, data/georgiab.ttf from DejaVu.
set -euo pipefail
src=/usr/share/fonts/truetype/dejavu
script="$LEXITAR_ROOT/tools/fonts/build-fonts.py"
outs=("$LEXITAR_DATA/phontm.ttf" "$LEXITAR_DATA/georgia.ttf" "$LEXITAR_DATA/georgiab.ttf")
if [ ! -r "$src/DejaVuSans.ttf" ] || [ ! -r "$src/DejaVuSerif.ttf" ]; then
  echo "10-fonts: DejaVu fonts are missing in $src; install fonts-dejavu-core (tools/setup.sh)" >&2
  exit 1
fi
fresh=1
for out in "${outs[@]}"; do
  for in in "$script" "$src/DejaVuSans.ttf" "$src/DejaVuSans-Bold.ttf" "$src/DejaVuSerif.ttf" "$src/DejaVuSerif-Bold.ttf"; do
    if [ ! -e "$out" ] || [ "$in" -nt "$out" ]; then fresh=0; fi
  done
done
if [ "$fresh" -eq 1 ]; then
  echo "10-fonts: up to date"
  exit 0
fi
if ! /usr/bin/python3 -c "import fontTools" 2>/dev/null; then
  echo "10-fonts: /usr/bin/python3 cannot import fontTools; install python3-fonttools" >&2
  exit 1
fi
/usr/bin/python3 "$script" "$src" "$LEXITAR_DATA"
echo "10-fonts: built phontm.ttf, georgia.ttf, georgiab.ttf"
