#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for a bounded time from its
# seed corpus. Usage: fuzz/run-fuzz.sh [target...]   (default: all targets)
# FUZZ_SECONDS (default 60) bounds each target's run; FUZZ_BUILD sets the
# build folder. New corpus entries stay in the build folder; an input that
# fails is kept under <build>/artifacts/<target>/ and the script fails.
set -uo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD:-$repo/build/fuzz}
seconds=${FUZZ_SECONDS:-60}

cmake -S "$repo/fuzz" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null || exit 1
cmake --build "$build" -j2 || exit 1

if [ $# -gt 0 ]; then
    targets=("$@")
else
    targets=()
    for source in "$repo"/fuzz/targets/*.cpp; do
        targets+=("$(basename "$source" .cpp)")
    done
fi

# No allocation stacks and no fill of new memory: they cost a fifth of the
# run. A failing input is kept and replayed by `make test` and the sanitizer
# build, which report it with full stacks.
export ASAN_OPTIONS=${ASAN_OPTIONS:-halt_on_error=1:detect_leaks=1:allocator_may_return_null=1:malloc_context_size=0:max_malloc_fill_size=0}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$repo/tests/lsan-suppressions.txt:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
export QT_QPA_PLATFORM=offscreen
ZZI_FUZZ_SCRATCH=$(mktemp -d /dev/shm/zzi-fuzz-XXXXXX 2>/dev/null || mktemp -d)
export ZZI_FUZZ_SCRATCH
trap 'rm -rf "$ZZI_FUZZ_SCRATCH"' EXIT

summary="$build/summary.txt"
: >"$summary"
failed=()
for target in "${targets[@]}"; do
    corpus="$build/corpus/$target"
    artifacts="$build/artifacts/$target"
    log="$build/logs/$target.log"
    mkdir -p "$corpus" "$artifacts" "$(dirname "$log")"
    extra=()
    # QSettings keeps every file it has read in a cache of its own, so each
    # input looks like a leak and the per-input leak check would run after
    # every one of them; the check at exit still runs.
    [ "$target" = settings_store ] && extra+=(-detect_leaks=0)
    echo "== fuzz_$target for ${seconds}s"
    "$build/fuzz_$target" "$corpus" "$repo/fuzz/corpus/$target" "${extra[@]}" \
        -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=4096 \
        -print_final_stats=1 -artifact_prefix="$artifacts/" >"$log" 2>&1
    status=$?
    {
        echo "fuzz_$target: exit $status"
        grep -E '^#[0-9]+[[:space:]]+(INITED|DONE)' "$log" | tail -2
        grep -E '^(Done [0-9]+ runs|stat::number_of_executed_units|stat::peak_rss_mb)' "$log"
        if [ $status -ne 0 ]; then
            grep -E 'ERROR|property failed|SUMMARY' "$log" | head -5
            ls "$artifacts"
        fi
    } | tee -a "$summary"
    [ $status -eq 0 ] || failed+=("$target")
done

echo "Summary in $summary"
if [ ${#failed[@]} -gt 0 ]; then
    echo "Failed: ${failed[*]} (inputs in $build/artifacts/)"
    exit 1
fi
