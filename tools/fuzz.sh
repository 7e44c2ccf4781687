#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build/fuzz and fuzzes each for a bounded time,
# seeded from fuzz/corpus/<target>/. Fails when any target finds a crash; the input that
# caused it is kept as build/fuzz/artifacts/<target>-crash-*.
#
#   FUZZ_SECONDS=10 tools/fuzz.sh            # every target, 10 s each (default 60)
#   tools/fuzz.sh read_number nc_number      # only these
#   FUZZ_SECONDS=0 tools/fuzz.sh             # replay the seed corpora once, no fuzzing
#   FUZZ_RUNS=1000000 tools/fuzz.sh cli_run  # the long mode: this many inputs, no time limit
#   FUZZ_SEED=1 tools/fuzz.sh                # libFuzzer's random seed fixed (default: a new one)
#   tools/fuzz.sh --merge [TARGET...]        # minimise into a fresh fuzz/corpus/<target>/
#
# New inputs found while fuzzing go to build/fuzz/corpus/<target>/, never into the repository.
# --merge does no fuzzing: it merges the seeds and what was found (libFuzzer's -merge=1 into an
# empty folder, by the code's edges reached, inputs above FUZZ_MAX_LEN bytes, default 512, left
# out) and puts the result in place of fuzz/corpus/<target>/, so that the short runs start from
# a corpus that already covers the code. Review the change (git status fuzz/corpus) before
# committing it.
# CI fixes the seed (tools/test): a run of the same seed from the same seeds mutates the same
# way, so what CI fuzzes is what a developer ran before pushing, and new findings come from the
# long runs with fresh seeds rather than from a gate that passes or fails by chance.
# Each run ends with the inputs executed, the seconds taken and libFuzzer's coverage (cov: the
# edges reached, ft: the features).
set -euo pipefail
cd "$(dirname "$0")/.."

merge=0
if [ "${1:-}" = --merge ]; then
  merge=1
  shift
fi
seconds=${FUZZ_SECONDS:-60}
runs=${FUZZ_RUNS:-}
max_len=${FUZZ_MAX_LEN:-512}
jobs=${FUZZ_JOBS:-2}
seed=${FUZZ_SEED:-}
build=build/fuzz
cxx=${FUZZ_CXX:-$(command -v clang++ || command -v clang++-14)}

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER="$cxx" \
  -DQUILLON_FUZZ=ON -DQUILLON_GUI=OFF -DQUILLON_TESTS=OFF -DQUILLON_WERROR=ON >/dev/null
cmake --build "$build" -j "$jobs"

if [ $# -gt 0 ]; then
  targets=("$@")
else
  mapfile -t targets < "$build/fuzz-targets.txt"
fi

mkdir -p "$build/artifacts"
failed=()
for t in "${targets[@]}"; do
  [ -n "$t" ] || continue
  exe="$build/fuzz/fuzz_$t"
  if [ ! -x "$exe" ]; then
    echo "fuzz: no target $t" >&2
    failed+=("$t")
    continue
  fi
  work="$build/corpus/$t"
  mkdir -p "$work"
  seeds=()
  [ -d "fuzz/corpus/$t" ] && seeds=("fuzz/corpus/$t")
  if [ "$merge" -eq 1 ]; then
    fresh="$build/merged/$t"
    rm -rf "$fresh"
    mkdir -p "$fresh"
    echo "== merge $t =="
    # By edges alone (-use_counters=0): an input stays when it reaches code no other input
    # reaches, not merely a loop a different number of times, which keeps a corpus to a few
    # hundred inputs rather than thousands.
    if ! "$exe" -merge=1 -use_counters=0 -max_len="$max_len" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$build/artifacts/$t-" "$fresh" "${seeds[@]}" "$work" \
        2>"$build/$t-merge.log"; then
      tail -n 40 "$build/$t-merge.log" >&2
      failed+=("$t")
      continue
    fi
    rm -rf "fuzz/corpus/$t"
    cp -r "$fresh" "fuzz/corpus/$t"
    echo "fuzz/corpus/$t: $(find "fuzz/corpus/$t" -type f | wc -l) inputs," \
      "$(du -sk "fuzz/corpus/$t" | cut -f1) kB;" \
      "$(grep -o 'MERGE-OUTER: [0-9]* new files with [0-9]* new features' "$build/$t-merge.log" | tail -n 1 | sed 's/MERGE-OUTER: //')"
    continue
  fi
  if [ -n "$runs" ]; then
    limit=(-runs="$runs")
    label="$runs inputs"
  elif [ "$seconds" -eq 0 ]; then
    limit=(-runs=0)
    label="seeds only"
  else
    limit=(-max_total_time="$seconds")
    label="${seconds}s"
  fi
  if [ -n "$seed" ]; then
    limit+=(-seed="$seed")
    label="$label, seed $seed"
  fi
  echo "== fuzz $t ($label) =="
  start=$SECONDS
  if ! "$exe" "${limit[@]}" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$build/artifacts/$t-" "$work" "${seeds[@]}" 2>"$build/$t.log"; then
    tail -n 40 "$build/$t.log" >&2
    failed+=("$t")
  else
    grep -E '^(stat::number_of_executed_units|stat::new_units_added)' "$build/$t.log" || true
    echo "$t: $(sed -n 's/^stat::number_of_executed_units: *//p' "$build/$t.log") inputs in" \
      "$((SECONDS - start)) s, $(grep -oE 'cov: [0-9]+ ft: [0-9]+' "$build/$t.log" | tail -n 1)"
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz: failed: ${failed[*]} (inputs in $build/artifacts/, logs in $build/<target>.log)" >&2
  exit 1
fi
if [ "$merge" -eq 1 ]; then
  echo "fuzz: corpora merged (git status fuzz/corpus shows what changed)"
else
  echo "fuzz: all targets passed"
fi
