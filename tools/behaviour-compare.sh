#!/usr/bin/env bash
# Nothing changed for the user: runs two builds of quillon-cli (before and after a change)
# over the same runs and compares what they print, byte for byte — standard output, standard
# error, the exit status, and the function-key files a run leaves.
#
#   tools/behaviour-compare.sh BEFORE_CLI AFTER_CLI [BUILD]
#
# The runs:
#   calls    every quillon-cli run the command-line tests make (BUILD/tests/quillon_cli_tests
#            is run once with QUILLON_CLI_CALLS, which logs them; see tests/support/cli_calls.h)
#   fuzz     every input of the cli_run fuzz corpus (fuzz/corpus/cli_run: frmNoseR with the
#            input's NUL-separated pieces as steps, at most 64, as fuzz/cli_run.cpp runs it)
#   sections every registered window as it opens, and with its section of tools/screenshots.steps
#   random   seeded random steps for every registered window (BUILD/tests/quillon-random-steps):
#            COMPARE_SEEDS sequences (default 5) of COMPARE_STEPS steps (default 60) each
#
# BUILD (default build/default) is the build of the tree whose tests and step generator are
# used. Prints each difference and a summary; exits 1 when any run differs, 0 otherwise.
set -euo pipefail

if [ $# -lt 2 ] || [ $# -gt 3 ]; then
    echo "usage: tools/behaviour-compare.sh BEFORE_CLI AFTER_CLI [BUILD]" >&2
    exit 2
fi
project=$(realpath "$(dirname "$0")/..")
before=$(realpath "$1")
after=$(realpath "$2")
build=$(realpath "${3:-$project/build/default}")
cli_tests=$build/tests/quillon_cli_tests
random_steps=$build/tests/quillon-random-steps
steps_file=$project/tools/screenshots.steps
corpus=$project/fuzz/corpus/cli_run
seeds=${COMPARE_SEEDS:-5}
count=${COMPARE_STEPS:-60}
for f in "$before" "$after" "$cli_tests" "$random_steps"; do
    if [ ! -x "$f" ]; then
        echo "behaviour-compare: no program $f" >&2
        exit 2
    fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
export LC_ALL=C
# On Linux the machine table is also looked for in the user's configuration folder: an empty
# one here, so that both programs read the same.
export XDG_CONFIG_HOME="$work/xdg-config"

# The folders of the registration program and the turret window, made afresh for each run.
machines=$project/data/Machine.CSV
. "$project/tools/cli-fixture.sh"
folders=(--control-root root --program-folder program)

declare -A runs differences
failed=0

# Runs one program with the arguments; its output, status and the key files go to FILE.
run_one() {
    local out=$1 cli=$2
    shift 2
    local status=0
    "$cli" "$@" >"$out" 2>"$out.err" </dev/null || status=$?
    {
        echo "== status $status"
        echo "== stderr"
        cat "$out.err"
        if [ -d root/V-FKEY ]; then
            echo "== key files"
            cat root/V-FKEY/LV01.INI root/V-FKEY/JPN/LV01.INI
        fi
    } >>"$out"
}

# compare KIND FRESH ARG...: one run of each program; FRESH=1 gives each a fresh fixture.
compare() {
    local kind=$1 fresh=$2
    shift 2
    [ "$fresh" = 1 ] && fixture
    run_one before.out "$before" "$@"
    [ "$fresh" = 1 ] && fixture
    run_one after.out "$after" "$@"
    runs[$kind]=$((${runs[$kind]:-0} + 1))
    if ! cmp -s before.out after.out; then
        differences[$kind]=$((${differences[$kind]:-0} + 1))
        failed=1
        local shown=("$@")
        echo "DIFFERENT ($kind): quillon-cli ${shown[*]:0:12}$([ $# -gt 12 ] && echo " ...")"
        diff before.out after.out | head -20 || true
    fi
}

# ---- calls: what the command-line tests run ----
calls=$work/calls.bin
mkdir -p calls-cwd
(cd calls-cwd && QUILLON_CLI_CALLS=$calls "$cli_tests" --gtest_brief=1 >"$work/cli-tests.log" 2>&1) || {
    echo "behaviour-compare: the command-line tests failed (see below); their calls are compared anyway"
    tail -20 "$work/cli-tests.log"
}
if [ -s "$calls" ]; then
    mapfile -d '' -t fields <"$calls"
    i=0
    cd calls-cwd
    while [ $i -lt ${#fields[@]} ]; do
        n=${fields[$i]}
        args=("${fields[@]:$((i + 1)):$n}")
        i=$((i + 1 + n))
        compare calls 0 "${args[@]}"
    done
    cd "$work"
fi
rm -rf root program

# ---- fuzz: the cli_run corpus ----
for input in "$corpus"/*; do
    mapfile -d '' -t pieces <"$input"
    compare fuzz 0 --program-folder . frmNoseR "${pieces[@]:0:64}"
done

# ---- sections: every window as it opens and with its screenshot steps ----
mapfile -t windows < <("$after" --list)
compare sections 0 --list
for window in "${windows[@]}"; do
    compare sections 1 "${folders[@]}" "$window"
    if grep -qxF "[$window]" "$steps_file"; then
        mapfile -t steps < <(awk -v want="[$window]" '
            /^\[/ { inside = ($0 == want); next }
            inside && !/^[[:space:]]*(#|$)/ { print }' "$steps_file")
        compare sections 1 "${folders[@]}" "$window" "${steps[@]}"
    fi
done

# ---- random: seeded steps for every window ----
for window in "${windows[@]}"; do
    for seed in $(seq 1 "$seeds"); do
        fixture
        mapfile -t steps < <("$random_steps" "$window" "$seed" "$count" program root)
        compare random 1 "${folders[@]}" "$window" "${steps[@]}"
    done
done

total=0
for kind in calls fuzz sections random; do
    echo "behaviour-compare: $kind: ${runs[$kind]:-0} runs, ${differences[$kind]:-0} different"
    total=$((total + ${runs[$kind]:-0}))
done
if [ $failed -ne 0 ]; then
    echo "behaviour-compare: the two builds differ"
else
    echo "behaviour-compare: $total runs, byte-identical"
fi
exit $failed
