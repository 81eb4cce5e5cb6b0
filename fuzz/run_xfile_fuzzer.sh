#!/usr/bin/env bash
# Runs a fuzzer for SECONDS (default 120) from a seed corpus made of the
# shared real files and the project's own test files: the .x reader
# (fuzz_xfile, the default) or mesh loading (FUZZER=fuzz_mesh_load). Usage,
# from the repository after `cmake --build --preset fuzz --target <fuzzer>`:
#   [FUZZER=fuzz_mesh_load] fuzz/run_xfile_fuzzer.sh [SECONDS] [SHARED_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-120}"
shared="${2:-../shared}"
fuzzer="${FUZZER:-fuzz_xfile}"
work="build/fuzz/$fuzzer-corpus"
seeds="build/fuzz/$fuzzer-seeds"
findings="build/fuzz/$fuzzer-findings"
mkdir -p "$work" "$seeds" "$findings"
cp tests/xfile/data/*.x "$seeds"/
if [ -d "$shared/corpus/public" ]; then
  cp "$shared"/corpus/public/* "$seeds"/
  cp "$shared"/x-templates.x "$seeds"/ 2>/dev/null || true
else
  echo "note: $shared/corpus/public absent; seeding with the project's test files only"
fi
"build/fuzz/fuzz/$fuzzer" "$work" "$seeds" \
  -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 -timeout=20 \
  -artifact_prefix="$findings/" -print_final_stats=1
