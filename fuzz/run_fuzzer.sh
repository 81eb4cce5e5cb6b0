#!/usr/bin/env bash
# Runs one fuzz target for SECONDS (default 120) from a seed corpus made of
# the shared real files and the project's own test files. Usage, from the
# repository after `cmake --build --preset fuzz --target fuzz_NAME`:
#   fuzz/run_fuzzer.sh NAME [SECONDS] [SHARED_DIR]
# NAME is xfile (the .x services), mesh_load (mesh building) or import (read,
# dialog, transfer, export).
set -euo pipefail
cd "$(dirname "$0")/.."
name="$1"
seconds="${2:-120}"
shared="${3:-../shared}"
work="build/fuzz/$name-corpus"
seeds="build/fuzz/$name-seeds"
mkdir -p "$work" "$seeds" "build/fuzz/$name-findings"
cp tests/xfile/data/*.x "$seeds"/
if [ -d "$shared/corpus/public" ]; then
  cp "$shared"/corpus/public/* "$seeds"/
  if [ "$name" = xfile ]; then cp "$shared"/x-templates.x "$seeds"/ 2>/dev/null || true; fi
else
  echo "note: $shared/corpus/public absent; seeding with the project's test files only"
fi
"build/fuzz/fuzz/fuzz_$name" "$work" "$seeds" \
  -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 -timeout=30 \
  -artifact_prefix="build/fuzz/$name-findings/" -print_final_stats=1
