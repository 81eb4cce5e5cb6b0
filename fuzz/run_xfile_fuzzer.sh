#!/usr/bin/env bash
# Runs the .x reader fuzzer for SECONDS (default 120) from a seed corpus made
# of the shared real files and the project's own test files. Usage, from the
# repository after `cmake --build --preset fuzz --target fuzz_xfile`:
#   fuzz/run_xfile_fuzzer.sh [SECONDS] [SHARED_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-120}"
shared="${2:-../shared}"
work="build/fuzz/xfile-corpus"
seeds="build/fuzz/xfile-seeds"
mkdir -p "$work" "$seeds" build/fuzz/xfile-findings
cp tests/xfile/data/*.x "$seeds"/
if [ -d "$shared/corpus/public" ]; then
  cp "$shared"/corpus/public/* "$seeds"/
  cp "$shared"/x-templates.x "$seeds"/ 2>/dev/null || true
else
  echo "note: $shared/corpus/public absent; seeding with the project's test files only"
fi
build/fuzz/fuzz/fuzz_xfile "$work" "$seeds" \
  -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 -timeout=20 \
  -artifact_prefix=build/fuzz/xfile-findings/ -print_final_stats=1
