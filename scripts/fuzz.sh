#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, under AddressSanitizer and UndefinedBehaviorSanitizer,
# in build-fuzz/ and runs each for a bounded time from the seed corpus in tests/fuzz/corpus/.
# An input that crashes, hangs or breaks a property is copied to tests/fuzz/regressions/<target>/,
# which the ordinary suite replays, and the script fails.
# fuzz.sh [seconds per target, default 30]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-30}
"$here/scripts/install-deps.sh" fuzz
"$here/scripts/build.sh" build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DTARVEX_BUILD_FUZZ=ON \
    -DTARVEX_BUILD_TESTS=OFF -DTARVEX_BUILD_UI=OFF -DTARVEX_BUILD_BENCH=OFF -DTARVEX_SANITIZE=OFF

runs="$here/build-fuzz/runs"
mkdir -p "$runs"
targets=(image_load image_describe config_edit rig_file sim_requests command_line)
# The longest input each target is given: room for a raised image buffer, a long request list.
declare -A max_len=([image_load]=70000 [image_describe]=16384 [config_edit]=8192
                    [rig_file]=4096 [sim_requests]=32768 [command_line]=512)
failed=()
summary="$runs/summary.txt"
printf '%-16s %14s %10s  %s\n' target executions exec/s result > "$summary"
for target in "${targets[@]}"; do
    corpus="$runs/corpus/$target"
    artifacts="$runs/artifacts/$target"
    log="$runs/$target.log"
    mkdir -p "$corpus" "$artifacts"
    echo "== fuzzing $target for ${seconds}s"
    status=0
    "$here/build-fuzz/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 \
        -rss_limit_mb=2048 -max_len="${max_len[$target]}" -print_final_stats=1 \
        -artifact_prefix="$artifacts/" "$corpus" "$here/tests/fuzz/corpus/$target" \
        >"$log" 2>&1 || status=$?
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
    result=ok
    if [ "$status" -ne 0 ]; then
        result="FAILED (exit $status, see $log)"
        failed+=("$target")
        mkdir -p "$here/tests/fuzz/regressions/$target"
        find "$artifacts" -type f -exec cp {} "$here/tests/fuzz/regressions/$target/" \;
    fi
    printf '%-16s %14s %10s  %s\n' "$target" "${executions:--}" "${rate:--}" "$result" >>"$summary"
done
cat "$summary"
if [ ${#failed[@]} -gt 0 ]; then
    echo "Inputs that failed are kept under tests/fuzz/regressions/; commit them with the fix." >&2
    exit 1
fi
