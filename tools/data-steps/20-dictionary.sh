#!/usr/bin/env bash
# Builds data/dict1.txt, data/dict2.txt and the table of word forms data/forms.txt from the
# Mueller dictionary (mueller7-dict) and the course's verb tables; WordNet's sense counts
# (wordnet-base) put the everyday English words first in the Russian table.
set -euo pipefail
src=/usr/share/dictd
index="$src/mueller7.index"
dict="$src/mueller7.dict.dz"
conv="$LEXITAR_BUILD/dictconv"
for f in "$index" "$dict"; do
  if [ ! -r "$f" ]; then
    echo "20-dictionary: $f is missing; install mueller7-dict (tools/setup.sh)" >&2
    exit 1
  fi
done
if [ ! -x "$conv" ]; then
  echo "20-dictionary: $conv is not built; build the target dictconv first" >&2
  exit 1
fi
out1="$LEXITAR_DATA/dict1.txt"
out2="$LEXITAR_DATA/dict2.txt"
out3="$LEXITAR_DATA/forms.txt"
verbs=()
for table in verbs.txt verb.txt; do
  if [ -r "$LEXITAR_DATA/$table" ]; then verbs+=("$LEXITAR_DATA/$table"); fi
done
counts=/usr/share/wordnet/cntlist.rev
if [ ! -r "$counts" ]; then
  echo "20-dictionary: $counts is missing; install wordnet-base (tools/setup.sh)" >&2
  exit 1
fi
fresh=1
for out in "$out1" "$out2" "$out3"; do
  for in in "$index" "$dict" "$conv" "$counts" "${verbs[@]}"; do
    if [ ! -e "$out" ] || [ "$in" -nt "$out" ]; then fresh=0; fi
  done
done
if [ "$fresh" -eq 1 ]; then
  echo "20-dictionary: up to date"
  exit 0
fi
# The converter writes each table to a temporary file and renames it when complete.
"$conv" "$index" "$dict" "$LEXITAR_DATA" --counts="$counts" "${verbs[@]}"
