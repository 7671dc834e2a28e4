#!/usr/bin/env bash
# Builds the optimised `bench` preset and prints, for each document shape and
# operation, the host calls, their ratio to the least the operation must ask,
# the processor time per operation and how the calls grow from one size to the
# next. Sizes are the arguments (default 1000 10000 100000). Not part of
# scripts/test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

# The benchmark needs no Windows tools.
ROWSHIFT_WINDOWS=0 bash scripts/install-deps.sh

cmake --preset bench >/dev/null
cmake --build --preset bench --target engine_benchmark >/dev/null
build/bench/bin/engine_benchmark "$@"
