#!/usr/bin/env bash
# Fuzzes the readers of outside text with libFuzzer (clang; address and
# undefined-behaviour sanitizers on).
#
#   scripts/fuzz.sh [target|all] [seconds]
#
# Targets: blueprint_record numbers prices owned skills settings blueprint_list table_text (default: all),
# each run for the given time (default 600 s). Runs go on from the corpus grown so far
# (build/fuzz/fuzz/corpus/<target>) and the committed seeds (fuzz/corpus/<target>);
# an input that breaks a reader is kept in build/fuzz/fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."

target="${1:-all}"
seconds="${2:-600}"
all=(blueprint_record numbers prices owned skills settings blueprint_list table_text)

if [[ "$target" == all ]]; then
    targets=("${all[@]}")
elif [[ " ${all[*]} " == *" $target "* ]]; then
    targets=("$target")
else
    echo "unknown target '$target'; one of: ${all[*]} all" >&2
    exit 2
fi

scripts/setup.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

out=build/fuzz/fuzz
status=0
for t in "${targets[@]}"; do
    echo "=== $t (${seconds} s)"
    mkdir -p "$out/corpus/$t" "$out/findings"
    if ! "$out/fuzz_$t" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$out/findings/$t-" \
        "$out/corpus/$t" "fuzz/corpus/$t" 2>"$out/$t.log"; then
        status=1
        grep -E "ERROR|broken promise|SUMMARY|Test unit written" "$out/$t.log" || true
    fi
    grep -E "^stat::number_of_executed_units|^Done" "$out/$t.log" || true
done
exit $status
