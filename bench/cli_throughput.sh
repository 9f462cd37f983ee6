#!/usr/bin/env bash
# Throughput and memory of the command line, beside the engine's own figures:
#   bench/cli_throughput.sh [build dir]          (default: build-release)
# Converts 100 MB of text to Morse and 100 MB of Morse to text (input from a
# file, output to /dev/null), reads the maximum resident memory for 10 MB and
# 100 MB, and renders one hour of Morse at the default delays to a WAV file.
# The program runs from a copy of its folder, so no settings file of the
# build tree changes its defaults.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$here/build-release}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"
cp "$build/bin/tapwrenz" "$build"/bin/Mores_Code_*_Tone.wav "$work/bin/"
program=$work/bin/tapwrenz
runs=5

# English-looking lines of 80 characters, from the words the engine's
# benchmark uses.
make_text() {  # bytes file
  python3 - "$1" "$2" <<'PY'
import random, sys
words = ["the", "quick", "brown", "fox", "jumps", "over", "lazy", "dog", "Morse", "code",
         "signal", "and", "of", "to", "in", "is", "radio", "73,", "QTH?", "it's", "end.", "CQ",
         "station", "1944"]
size, path = int(sys.argv[1]), sys.argv[2]
r = random.Random(7)
with open(path, "w") as f:
    written = 0
    line = ""
    while written < size:
        while len(line) < 80:
            line += r.choice(words) + " "
        f.write(line[:80] + "\n")
        written += 81
        line = line[80:]
PY
}

# Whole Morse lines of about `bytes` in all.
make_morse() {  # bytes text file
  "$program" --to-morse <"$2" >"$3.all"
  head -c "$1" "$3.all" | sed '$d' >"$3"
  rm "$3.all"
}

# Fastest of $runs runs, wall clock and processor time (user + system of the
# program alone), to the microsecond.
measure() {  # label input args...
  python3 - "$runs" "$program" "$@" <<'PY'
import os, resource, subprocess, sys, time
runs, program, label, path, args = int(sys.argv[1]), sys.argv[2], sys.argv[3], sys.argv[4], sys.argv[5:]
mib = os.path.getsize(path) / 1048576
best_wall = best_cpu = float("inf")
for _ in range(runs):
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.perf_counter()
    with open(path, "rb") as i, open(os.devnull, "wb") as o:
        subprocess.run([program] + args, stdin=i, stdout=o, check=True)
    wall = time.perf_counter() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    best_wall, best_cpu = min(best_wall, wall), min(best_cpu, cpu)
print(f"{label:<12} {mib:6.1f} MiB  wall {best_wall:.3f} s ({mib / best_wall:.0f} MiB/s)"
      f"  cpu {best_cpu:.3f} s ({mib / best_cpu:.0f} MiB/s)")
PY
}

max_rss() {  # input args...
  local input=$1
  shift
  { /usr/bin/time -v "$program" "$@" <"$input" >/dev/null; } 2>&1 |
    awk -F: '/Maximum resident/ {gsub(/ /, "", $2); print $2 " KB"}'
}

make_text $((100 << 20)) "$work/text100"
make_text $((10 << 20)) "$work/text10"
make_morse $((100 << 20)) "$work/text100" "$work/morse100"
make_morse $((10 << 20)) "$work/text10" "$work/morse10"

echo "== engine (bench_engine, in memory)"
if [ -x "$build/bin/bench_engine" ]; then
  "$build/bin/bench_engine" --benchmark_filter='_10MB' --benchmark_repetitions=3 \
    --benchmark_report_aggregates_only=true 2>/dev/null | grep -E 'median'
else
  echo "(no bench_engine in $build)"
fi

echo "== command line, fastest of $runs runs"
measure "--to-morse" "$work/text100" --to-morse
measure "--to-text" "$work/morse100" --to-text

echo "== maximum resident memory"
echo "--to-morse  10 MiB: $(max_rss "$work/text10" --to-morse)   100 MiB: $(max_rss "$work/text100" --to-morse)"
echo "--to-text   10 MiB: $(max_rss "$work/morse10" --to-text)   100 MiB: $(max_rss "$work/morse100" --to-text)"

echo "== one hour of Morse to WAV, default delays and tones"
echo "CQ CQ DE TAPWREN THE QUICK BROWN FOX 1944" | "$program" --to-morse >"$work/line"
"$program" --wav "$work/line.wav" <"$work/line"
frame_rate_bytes=$(od -An -tu4 -j28 -N4 "$work/line.wav" | tr -d ' ')  # bytes a second
line_bytes=$(($(stat -c %s "$work/line.wav") - 44))
lines=$((3600 * frame_rate_bytes / line_bytes + 1))
for _ in $(seq "$lines"); do cat "$work/line"; done >"$work/hour"
{ /usr/bin/time -f "%e %U %S %M" "$program" --wav "$work/hour.wav" <"$work/hour"; } 2>"$work/time"
read -r wall user sys rss <"$work/time"
seconds=$(awk -v b="$(stat -c %s "$work/hour.wav")" -v r="$frame_rate_bytes" 'BEGIN{printf "%.0f", (b - 44) / r}')
echo "$lines lines, ${seconds} s of sound, $(($(stat -c %s "$work/hour.wav") >> 20)) MiB:" \
  "wall $wall s, cpu $(awk -v u="$user" -v s="$sys" 'BEGIN{print u + s}') s, max RSS $rss KB"
