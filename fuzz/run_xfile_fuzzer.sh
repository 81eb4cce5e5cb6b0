#!/usr/bin/env bash
# Runs the .x reader fuzzer: fuzz/run_xfile_fuzzer.sh [SECONDS] [SHARED_DIR]
# (see run_fuzzer.sh).
exec "$(dirname "$0")/run_fuzzer.sh" xfile "$@"
