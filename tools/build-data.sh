#!/usr/bin/env bash
# Builds the course data into BUILD/data: copies the repository's data/ and runs
# every generator in tools/data-steps/ in name order. Each step skips itself when
# its output is newer than its inputs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:?usage: build-data.sh BUILD_DIR}
build=$(cd "$build" && pwd)
mkdir -p "$build/data"
# The learner's own files (settings, the lesson 6 list) are seeded once, never overwritten.
learner_files="info.txt w01.txt"
for f in $learner_files; do
  if [ -e "$root/data/$f" ] && [ ! -e "$build/data/$f" ]; then cp "$root/data/$f" "$build/data/$f"; fi
done
(cd "$root/data" && find . -mindepth 1 -type d -exec mkdir -p "$build/data/{}" \;)
(cd "$root/data" && find . -type f $(for f in $learner_files; do printf -- "! -path ./%s " "$f"; done) \
  -exec sh -c 'for f; do cmp -s "$f" "$0/$f" || cp "$f" "$0/$f"; done' "$build/data" {} +)
export LEXITAR_ROOT="$root" LEXITAR_BUILD="$build" LEXITAR_DATA="$build/data"
for step in "$root"/tools/data-steps/*.sh; do
  [ -e "$step" ] || continue
  echo "data: $(basename "$step")"
  bash "$step"
done
