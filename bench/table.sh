#!/usr/bin/env bash
# Turns the raw samples of bench/run.sh ("name value" a line) into the
# Markdown table: medians with their spread, each beside its floor.
# Usage: bench/table.sh SAMPLES STARTS SENDS TOGGLES IDLE_RUNS IDLE_SECONDS
set -euo pipefail
samples=$1

sort -k1,1 -k2,2g "$samples" | awk -v starts="$2" -v sends="$3" -v toggles="$4" \
    -v idle_runs="$5" -v idle_seconds="$6" '
{ n[$1]++; v[$1, n[$1]] = $2 }

# Percentile by linear interpolation over the sorted samples of `name`.
function pct(name, p,    count, at, low) {
    count = n[name]
    if (count == 0) return "nan"
    at = 1 + p * (count - 1)
    low = int(at)
    if (low >= count) return v[name, count]
    return v[name, low] + (at - low) * (v[name, low + 1] - v[name, low])
}
function med(name) { return pct(name, 0.5) }
# Median and interquartile range.
function iqr(name, unit, digits,    f) {
    f = "%." digits "f %s (%." digits "f–%." digits "f)"
    return sprintf(f, pct(name, 0.5), unit, pct(name, 0.25), pct(name, 0.75))
}
# Median and the whole range, for few samples.
function range(name, unit, digits,    f) {
    f = "%." digits "f%s (%." digits "f–%." digits "f)"
    return sprintf(f, pct(name, 0.5), unit, pct(name, 0), pct(name, 1))
}
function mib(name) {
    return sprintf("%.1f MiB (%.1f–%.1f)", pct(name, 0.5) / 1024, pct(name, 0.25) / 1024,
                   pct(name, 0.75) / 1024)
}
function ratio(a, b) { return med(a) / med(b) }
function verdict(ok) { return ok ? "met" : "**missed**" }

END {
    print "| Measure | Program | Floor, same run | Ratio | Target |"
    print "|---|---|---|---|---|"
    r = ratio("window_startup_ms", "bare_startup_ms")
    printf "| 1. Start-up, process start to first frame (%d starts each) | %s | bare window: %s | %.2f× | ≤ 1.10× — %s |\n",
        starts, iqr("window_startup_ms", "ms", 1), iqr("bare_startup_ms", "ms", 1), r, verdict(r <= 1.10)
    printf "| 1a. CPU time used by then | %s | %s | %.2f× | |\n",
        iqr("window_cpu_ms", "ms", 1), iqr("bare_cpu_ms", "ms", 1), ratio("window_cpu_ms", "bare_cpu_ms")
    printf "| 1b. CPU time against a bare window showing one line of text in the program\x27s font | %s | %s | %.2f× | |\n",
        iqr("window_cpu_ms", "ms", 1), iqr("caption_cpu_ms", "ms", 1), ratio("window_cpu_ms", "caption_cpu_ms")
    printf "| 1c. … and QtNetwork linked, as the program has it | %s | %s | %.2f× | |\n",
        iqr("window_cpu_ms", "ms", 1), iqr("network_cpu_ms", "ms", 1), ratio("window_cpu_ms", "network_cpu_ms")
    printf "| 2. Send, press on Send Selected to arrival on 127.0.0.1, p50 / p99 (%d each) | %.0f / %.0f µs | sendto of the same bytes: %.0f / %.0f µs | %.1f× (p50) | p99 < 1 ms — %s |\n",
        n["send_us"], pct("send_us", 0.5), pct("send_us", 0.99), pct("sendto_us", 0.5),
        pct("sendto_us", 0.99), ratio("send_us", "sendto_us"), verdict(pct("send_us", 0.99) < 1000)
    split("4to8 8to4", ways, " ")
    for (i = 1; i <= 2; i++) {
        w = ways[i]
        frame = "rebuild_frame_" w "_ms"
        printf "| 3%s. Ctrl+R %s → %s, key to the frame at the new size (%d) | %s; CPU %.1f ms, handler %.1f ms | bare window resized as much: %s; CPU %.1f ms | %.2f× | < 16 ms — %s |\n",
            i == 1 ? "" : "a", substr(w, 1, 1), substr(w, 4, 1), n[frame], iqr(frame, "ms", 1),
            med("rebuild_cpu_" w "_ms"), med("rebuild_handler_" w "_ms"),
            iqr("resize_frame_" w "_ms", "ms", 1), med("resize_cpu_" w "_ms"),
            ratio(frame, "resize_frame_" w "_ms"), verdict(med(frame) < 16)
    }
    for (span = 1; span <= 2; span++) {
        c = "idle" span "_cpu_ms"
        w = "idle" span "_wakeups"
        ok = pct(c, 1) == 0 && pct(w, 1) == 0
        printf "| 4%s. Idle, real executable, %s %d s: CPU time; thread wake-ups, median (min–max) of %d | %s; %s | bare window: %s; %s | | zero — %s |\n",
            span == 1 ? "" : "a", span == 1 ? "the first" : "the next", idle_seconds, n[c],
            range(c, " ms", 0), range(w, "", 0), range("bare_" c, " ms", 0), range("bare_" w, "", 0), verdict(ok)
    }
    r = ratio("window_hwm_kib", "bare_hwm_kib")
    printf "| 5. Peak resident memory (VmHWM) at the first frame (%d starts each) | %s | bare window: %s | %.2f× | ≤ 1.10× — %s |\n",
        starts, mib("window_hwm_kib"), mib("bare_hwm_kib"), r, verdict(r <= 1.10)
    r = ratio("program_idle_hwm_kib", "bare_idle_hwm_kib")
    printf "| 5a. The same after the idle time, real executable (%d runs) | %s | bare window: %s | %.2f× | ≤ 1.10× — %s |\n",
        idle_runs, mib("program_idle_hwm_kib"), mib("bare_idle_hwm_kib"), r, verdict(r <= 1.10)
    printf "| 5b. Peak memory against a bare window with one line of text | %s | %s | %.2f× | |\n",
        mib("window_hwm_kib"), mib("caption_hwm_kib"), ratio("window_hwm_kib", "caption_hwm_kib")
    printf "| 5c. … and QtNetwork linked, as the program has it | %s | %s | %.2f× | |\n",
        mib("window_hwm_kib"), mib("network_hwm_kib"), ratio("window_hwm_kib", "network_hwm_kib")
    print ""
    print "Medians, with the interquartile range in brackets unless said otherwise; ratios are of medians."
}'
