#!/usr/bin/env bash
# How long --import-channels takes for 10,000 channels: into an empty library
# (all added), then the same file again (all unchanged, nothing written), then
# with every frequency changed (all replaced). Each run in a fresh settings
# folder of its own; prints the wall time of each, median of RUNS.
# Usage: bench/importchannels.sh PROGRAM [RUNS]
set -euo pipefail
program=$1
runs=${2:-5}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

make_file() { # $1: kHz added to every frequency
    echo "Name,Frequency,SymbolRate,LocOsc,Antenna,Voltage,Notes"
    awk -v add="$1" 'BEGIN { for (i = 1; i <= 10000; i++)
        printf "Channel %05d,%.3f,%d,9750.000,%s,%s,note %d\n", i, 10490 + (i % 9000) / 1000 + add / 1000,
               1500 + i % 7, (i % 2 ? "TOP" : "BOT"), (i % 3 ? "" : "X-HORIZ"), i }'
}
make_file 0 >"$work/channels.csv"
make_file 1 >"$work/changed.csv"

median() { sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }
seconds() { local start end; start=$(date +%s.%N); "$@" >/dev/null; end=$(date +%s.%N); echo "$end - $start" | bc; }

for case in added unchanged replaced; do
    for run in $(seq "$runs"); do
        export XDG_CONFIG_HOME=$work/home-$case-$run
        if [ "$case" != added ]; then "$program" --import-channels "$work/channels.csv" >/dev/null; fi
        file=$work/channels.csv
        [ "$case" = replaced ] && file=$work/changed.csv
        seconds "$program" --import-channels "$file"
    done | median | xargs printf "import of 10000 channels, %s: %s s (median of $runs)\n" "$case"
done
