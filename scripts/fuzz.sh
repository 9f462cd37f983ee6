#!/usr/bin/env bash
# Builds the libFuzzer targets (build-fuzz/, clang with AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each one for a fixed time on a copy of
# its seed corpus, so the committed corpus never grows. Exits non-zero when
# any target finds a crash, a leak, a hang or a wrong result; the input that
# did it is kept in build-fuzz/findings/<target>/.
#   scripts/fuzz.sh [seconds per target]          (default: 20)
#   scripts/fuzz.sh 600 strutil gif_logo          (only these targets)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-20}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(wav_image gif_logo profile_file morse_conversion strutil desktop_entry listen_samples listen_file wav_stream)

"$here/scripts/setup-debian.sh" fuzz
dir="$here/build-fuzz"
CC=clang CXX=clang++ cmake -S "$here" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTAPWRENZ_FUZZ=ON -DTAPWRENZ_BUILD_TESTS=OFF -DTAPWRENZ_BUILD_BENCH=OFF >/dev/null
cmake --build "$dir" --target fuzz_all --parallel "$(nproc)"

# The decoders need no device; the launcher target makes its own folder.
export SDL_AUDIODRIVER=dummy
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:malloc_context_size=5}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export TMPDIR="$work"

# Longest input per target: the Morse reference is quadratic in the line.
max_len() {
  case "$1" in
    morse_conversion) echo 256 ;;
    *) echo 4096 ;;
  esac
}

# Memory per target: a WAV of a few bytes at an odd rate may rightly decode to
# up to 2 GB (the sound library's int limit, which the decoder enforces), on
# top of what the sanitizers keep aside.
rss_limit() {
  case "$1" in
    wav_image | listen_file) echo 4096 ;;
    *) echo 2048 ;;
  esac
}

failed=()
for t in "${targets[@]}"; do
  corpus="$work/corpus-$t"
  findings="$dir/findings/$t"
  mkdir -p "$corpus" "$findings"
  cp -r "$here/fuzz/corpus/$t/." "$corpus/"
  echo "== fuzz_$t: ${seconds}s"
  if "$dir/bin/fuzz_$t" -max_total_time="$seconds" -max_len="$(max_len "$t")" -timeout=25 \
       -rss_limit_mb="$(rss_limit "$t")" -print_final_stats=1 -artifact_prefix="$findings/" \
       "$corpus" >"$work/$t.log" 2>&1; then
    grep -E '^(Done|stat::number_of_executed_units|stat::average_exec_per_sec)' "$work/$t.log" || true
  else
    tail -n 60 "$work/$t.log"
    echo "!! fuzz_$t found a fault; its input is in $findings/"
    failed+=("$t")
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "Findings in: ${failed[*]}"
  exit 1
fi
echo "No findings."
