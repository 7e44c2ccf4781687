#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build/fuzz and fuzzes each for a bounded time,
# seeded from fuzz/corpus/<target>/. Fails when any target finds a crash; the input that
# caused it is kept as build/fuzz/artifacts/<target>-crash-*.
#
#   FUZZ_SECONDS=10 tools/fuzz.sh            # every target, 10 s each (default 60)
#   tools/fuzz.sh read_number nc_number      # only these
#   FUZZ_SECONDS=0 tools/fuzz.sh             # replay the seed corpora once, no fuzzing
#
# New inputs found while fuzzing go to build/fuzz/corpus/<target>/, never into the repository;
# copy an interesting one into fuzz/corpus/<target>/ by hand.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${FUZZ_SECONDS:-60}
jobs=${FUZZ_JOBS:-2}
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
  if [ "$seconds" -eq 0 ]; then
    limit=(-runs=0)
  else
    limit=(-max_total_time="$seconds")
  fi
  echo "== fuzz $t (${seconds}s) =="
  if ! "$exe" "${limit[@]}" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$build/artifacts/$t-" "$work" "${seeds[@]}" 2>"$build/$t.log"; then
    tail -n 40 "$build/$t.log" >&2
    failed+=("$t")
  else
    grep -E '^(stat::number_of_executed_units|stat::new_units_added)' "$build/$t.log" || true
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz: failed: ${failed[*]} (inputs in $build/artifacts/, logs in $build/<target>.log)" >&2
  exit 1
fi
echo "fuzz: all targets passed"
