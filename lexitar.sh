#!/usr/bin/env bash
# ./lexitar.sh run  — install what is missing, build, build the course data, start Lexitar.
# ./lexitar.sh test — the same, then run the whole test suite.
set -euo pipefail
cd "$(dirname "$0")"
bash tools/setup.sh
case "${1:-run}" in
  run) exec make run ;;
  test) exec make test ;;
  *) echo "usage: $0 run|test" >&2; exit 2 ;;
esac
