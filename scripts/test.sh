#!/usr/bin/env bash
# Installs what is missing, builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer, runs every test under a virtual display, then
# runs each fuzz target for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

build=build/test
jobs=$(nproc)
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DENGINE_SANITIZE=ON -DENGINE_FUZZ=ON -DENGINE_WERROR=ON -DCMAKE_CXX_FLAGS="-O1 -g"
cmake --build "$build" -j "$jobs"

export ALSOFT_DRIVERS=null
# The sanitizer's own record of dynamic TLS guesses block bounds from a header it assumes glibc
# writes; where a block lands at a page offset of 16 it reads a stray size and its leak check
# crashes at exit. Those blocks are heap blocks reached from each thread's TLS anyway.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:intercept_tls_get_addr=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Tests that read pixels back from windows on the shared virtual screen run one at a time,
# so no other window covers theirs; everything else runs in parallel. One of them plays a level in real
# time, hence their longer timeout.
on_screen='^([A-Za-z]+/)?(WindowedDevice|GuardFixture|SceneManagerRender|ParticleDraw|RenderedNodesTest|ListDraw|RenderedAtlasTest|RenderedQuads|GameCursor|GameProcess|[A-Za-z]*Screens|[A-Za-z]*Screenshots?(Test)?)\.'
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  ctest --test-dir "$1" --output-on-failure -j "$2" --timeout 300 --repeat until-pass:2 -E "$3" &&
  ctest --test-dir "$1" --output-on-failure --timeout 900 --repeat until-pass:2 -R "$3"
' _ "$build" "$jobs" "$on_screen"

fuzz_seconds=${FUZZ_SECONDS:-20}
# One fuzz target a core at a time; a failing target's log is shown and fails the run.
fuzz_one() {
  target=$1 seconds=$2
  name=$(basename "$target")
  log="${target%/fuzz/*}/$name.log"
  corpus="fuzz/corpus/${name#fuzz_}"
  work=$(mktemp -d)
  seeds=()
  [ -d "$corpus" ] && seeds=("$corpus")
  echo "Fuzzing $name for ${seconds}s"
  if ! "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -max_len=65536 -print_final_stats=0 \
    "$work" "${seeds[@]}" > "$log" 2>&1; then
    echo "FAILED: $name"; tail -50 "$log"; rm -rf "$work"; return 1
  fi
  rm -rf "$work"
}
export -f fuzz_one
shopt -s nullglob
targets=()
for target in "$build"/fuzz/fuzz_*; do
  [ -x "$target" ] && [ -f "$target" ] && targets+=("$target")
done
[ ${#targets[@]} -eq 0 ] || printf '%s\n' "${targets[@]}" |
  xargs -P "$jobs" -I{} bash -c 'fuzz_one "$1" "$2"' _ {} "$fuzz_seconds"
echo "All tests and fuzz runs passed."
