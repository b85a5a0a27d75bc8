#!/usr/bin/env bash
# Measures what the operator feels and prints one table (Markdown), each
# figure beside its floor measured in the same run:
#   1. start-up to the first frame, against a bare window of the same size;
#   2. send latency, mouse press to arrival on loopback, against sendto;
#   3. the Ctrl+R rebuild, against resizing the bare window as much;
#   4. idle CPU time and wake-ups of the real executable;
#   5. peak resident memory, against the bare window.
# Usage: bench/run.sh [BUILD_DIR]   (default build/bench, made by `make bench`)
# Runs under a private Xvfb; sends only to 127.0.0.1.
set -euo pipefail

# On a machine shared with builds, everything here (Xvfb included) runs at a
# raised priority where that is allowed, as a foreground program would feel
# it; ZZI_BENCH_NICE=0 measures at the normal priority.
nice_level=${ZZI_BENCH_NICE:--10}
if [ -z "${ZZI_BENCH_RENICED:-}" ] && [ "$nice_level" != 0 ] && nice -n "$nice_level" true 2>/dev/null; then
    ZZI_BENCH_RENICED=1 exec nice -n "$nice_level" "$0" "$@"
fi

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build/bench}" && pwd)
starts=${ZZI_BENCH_STARTS:-20}
sends=${ZZI_BENCH_SENDS:-2000}
toggles=${ZZI_BENCH_TOGGLES:-25}
idle_seconds=${ZZI_BENCH_IDLE_SECONDS:-30}
idle_runs=${ZZI_BENCH_IDLE_RUNS:-3}

program=$build/src/zorudoza-zudizir-ivozudiro
helpers=$build/bench
for tool in "$program" "$helpers/zzi-bench" "$helpers/zzi-bench-bare" "$helpers/zzi-bench-window" \
            "$helpers/zzi-bench-launch"; do
    [ -x "$tool" ] || { echo "missing $tool: run 'make bench'" >&2; exit 1; }
done

source "$here/xvfb.sh"
work=$(mktemp -d)
children=()
cleanup() {
    for pid in "${children[@]}"; do kill "$pid" 2>/dev/null || true; done
    stop_xvfb
    rm -rf "$work"
}
trap cleanup EXIT
start_xvfb
trap cleanup EXIT

export QT_QPA_PLATFORM=xcb
unset QT_QPA_PLATFORMTHEME QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS
results=$build/bench-results
mkdir -p "$results"
samples=$results/samples.txt
: >"$samples"

# A store with sample presets (four receivers) and a private runtime folder,
# so the single-copy lock meets no other copy.
store=$work/config
mkdir -p "$store" "$work/runtime"
chmod 700 "$work/runtime"
export XDG_CONFIG_HOME=$store XDG_RUNTIME_DIR=$work/runtime
"$helpers/zzi-bench" presets "$store" 4

load() { cut -d' ' -f1-3 /proc/loadavg; }
echo "Display $DISPLAY, $(nproc) cores, load average $(load)" >&2
load_before=$(load)

# 1 and 5: start-up and peak memory, the program and the floors taking
# turns. Besides the bare window, two floors that show where the difference
# goes: one line of text in the program's font, and that with QtNetwork.
kinds=(window bare caption network)
launch() { # kind
    local command
    case $1 in
        window) command=("$helpers/zzi-bench-window") ;;
        bare) command=("$helpers/zzi-bench-bare") ;;
        caption) command=("$helpers/zzi-bench-bare" --caption) ;;
        network) command=("$helpers/zzi-bench-bare-network" --caption) ;;
    esac
    local line
    line=$("$helpers/zzi-bench-launch" "${command[@]}" --quit-after-frame)
    echo "$1 $line" >>"$work/launches"
}
echo "start-up: 2 warm-up and $starts measured runs of each of ${kinds[*]}" >&2
for i in $(seq $((starts + 2))); do
    for k in 0 1 2 3; do
        launch "${kinds[$(( (i + k) % 4 ))]}"
    done
done
for kind in "${kinds[@]}"; do
    grep "^$kind " "$work/launches" | tail -n "$starts" |
        awk -v n="$kind" '{print n "_startup_ms", $3; print n "_cpu_ms", $5; print n "_hwm_kib", $7}' \
            >>"$samples"
done

# 2 and 3: in the program's own process.
echo "send: $sends presses and as many plain sends" >&2
"$helpers/zzi-bench" send "$sends" >>"$samples"
echo "rebuild: $toggles toggles each way" >&2
"$helpers/zzi-bench" rebuild "$toggles" >>"$samples"

# 4: the real executable and the bare window, open and left alone.
cpu_ns() { # pid: CPU time of all its threads, ns
    cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{s += $1} END {print s + 0}'
}
switches() { # pid: times its threads gave up or lost the CPU
    cat /proc/"$1"/task/*/status 2>/dev/null |
        awk '/^(voluntary|nonvoluntary)_ctxt_switches/ {s += $2} END {print s + 0}'
}
peak_kib() {
    awk '/^VmHWM/ {print $2}' /proc/"$1"/status
}
# Two spans one after the other: the first follows start-up, the second is
# the steady state.
echo "idle: $idle_runs runs of twice $idle_seconds s" >&2
idle_sample() { # span name-prefix pid
    echo "$2idle${1}_cpu_ms $(( ($(cpu_ns "$3") - ${cpu[$3]}) / 1000000 ))" >>"$samples"
    echo "$2idle${1}_wakeups $(( $(switches "$3") - ${switched[$3]} ))" >>"$samples"
}
declare -A cpu switched
for run in $(seq "$idle_runs"); do
    "$program" >/dev/null 2>&1 &
    program_pid=$!
    "$helpers/zzi-bench-bare" >"$work/bare-idle.out" 2>/dev/null &
    bare_pid=$!
    children=("$program_pid" "$bare_pid")
    timeout 20 xdotool search --sync --onlyvisible --pid "$program_pid" >/dev/null
    for _ in $(seq 200); do grep -q '^frame' "$work/bare-idle.out" && break; sleep 0.05; done
    sleep 2 # let start-up settle
    for span in 1 2; do
        for pid in "$program_pid" "$bare_pid"; do
            cpu[$pid]=$(cpu_ns "$pid")
            switched[$pid]=$(switches "$pid")
        done
        sleep "$idle_seconds"
        idle_sample "$span" "" "$program_pid"
        idle_sample "$span" bare_ "$bare_pid"
    done
    echo "program_idle_hwm_kib $(peak_kib "$program_pid")" >>"$samples"
    echo "bare_idle_hwm_kib $(peak_kib "$bare_pid")" >>"$samples"
    kill "$program_pid" "$bare_pid"
    wait "$program_pid" "$bare_pid" 2>/dev/null || true
    children=()
done

{
    "$here/table.sh" "$samples" "$starts" "$sends" "$toggles" "$idle_runs" "$idle_seconds"
    echo "Machine: $(nproc) cores, load average $load_before at the start, $(load) at the end;" \
         "run at nice $(nice) (the floors too)."
} | tee "$results/table.md"
echo "Samples: $samples" >&2
