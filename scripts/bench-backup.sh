#!/usr/bin/env bash
# Backup figures: the coder's speed, saving and extracting a 100,000-point job, deleting the first
# archive of a 100 MB backup, and the job's compressed size against gzip -6 on the same files.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMORVEL_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j4 --target morvel_bench >/dev/null

out=$(mktemp -d /tmp/morvel-bench-backup-XXXXXX)
trap 'rm -rf "$out"' EXIT
MORVEL_BENCH_OUT="$out" "$build/bench/morvel_bench" --benchmark_filter='Backup'

job=$(stat -c %s "$out/site.Mvj")
raw=$(stat -c %s "$out/site.Mvr")
gz=$(( $(gzip -6 -c "$out/site.Mvj" | wc -c) + $(gzip -6 -c "$out/site.Mvr" | wc -c) ))
echo
echo "100,000-point job: Mvj $job bytes, Mvr $raw bytes"
echo "gzip -6: $gz bytes (each file on its own); the backup archive's size is archive_bytes above"
