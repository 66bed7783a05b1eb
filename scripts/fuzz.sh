#!/usr/bin/env bash
# Builds the libFuzzer harnesses of every input reader into build-fuzz/ and runs them.
#   scripts/fuzz.sh [seconds]      fuzz each harness for that long (default 60), growing its
#                                  corpus in tests/fuzz/corpus/<harness>/
#   scripts/fuzz.sh --corpus-only  run each harness once over its corpus, no new inputs
# Exits non-zero when a harness crashes, leaks, hangs or a sanitizer reports; libFuzzer then
# leaves the input as crash-*, leak-*, timeout-* or oom-* in build-fuzz/findings/<harness>/.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-fuzz"
harnesses=(deck_reader_fuzz pressure_model_fuzz veldra_deck_geometry_fuzz veldra_result_readers_fuzz)

corpus_only=false
seconds=60
case "${1:-}" in
  --corpus-only) corpus_only=true ;;
  "") ;;
  *[!0-9]*) echo "usage: scripts/fuzz.sh [seconds | --corpus-only]" >&2; exit 2 ;;
  *) seconds="$1" ;;
esac

cmake -S "$root/tests/fuzz" -B "$build" -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" -j 2 >/dev/null

# Leaks are reported; an input that runs longer than 10 s or needs more than 2 GB is a finding.
export ASAN_OPTIONS="detect_leaks=1:${ASAN_OPTIONS:-}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:${UBSAN_OPTIONS:-}"
limits=(-timeout=10 -rss_limit_mb=2048)

status=0
for harness in "${harnesses[@]}"; do
  corpus="$root/tests/fuzz/corpus/$harness"
  findings="$build/findings/$harness"
  mkdir -p "$findings"
  if $corpus_only; then
    echo "== $harness: $(ls "$corpus" | wc -l) corpus inputs =="
    "$build/$harness" "${limits[@]}" -runs=0 "$corpus" >"$findings/corpus.log" 2>&1 \
      || { status=1; echo "FAILED: see $findings/corpus.log"; tail -n 40 "$findings/corpus.log"; }
  else
    echo "== $harness: fuzzing for $seconds s =="
    # A scratch corpus takes the new inputs; those that add coverage are merged back.
    work="$findings/work"
    rm -rf "$work" && mkdir -p "$work"
    "$build/$harness" "${limits[@]}" -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix="$findings/" "$work" "$corpus" >"$findings/fuzz.log" 2>&1 \
      || { status=1; echo "FAILED: see $findings/fuzz.log"; tail -n 40 "$findings/fuzz.log"; }
    grep -E '^stat::number_of_executed_units|^#[0-9]+.*DONE' "$findings/fuzz.log" || true
    # Edge coverage only (no hit counts), so that the corpus stays small.
    "$build/$harness" "${limits[@]}" -merge=1 -use_counters=0 "$corpus" "$work" >"$findings/merge.log" 2>&1 || true
    rm -rf "$work"
  fi
done
exit $status
