#!/usr/bin/env bash
# Builds the course data into BUILD/data: copies the repository's data/ and runs
# every generator in tools/data-steps/ in name order. Each step skips itself when
# its output is newer than its inputs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:?usage: build-data.sh BUILD_DIR}
build=$(cd "$build" && pwd)
mkdir -p "$build/data"
cp -a "$root/data/." "$build/data/"
export LEXITAR_ROOT="$root" LEXITAR_BUILD="$build" LEXITAR_DATA="$build/data"
for step in "$root"/tools/data-steps/*.sh; do
  [ -e "$step" ] || continue
  echo "data: $(basename "$step")"
  bash "$step"
done
