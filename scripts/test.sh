#!/usr/bin/env bash
# Installs what is missing, then builds and runs the whole suite:
#   1. build-test/  a clean Debug build of everything; ctest runs the unit and
#                   the desktop (Xvfb) tests.
#   2. build-asan/  everything again under AddressSanitizer and
#                   UndefinedBehaviorSanitizer; ctest runs the unit tests, the
#                   offscreen widget tests and those of the platform code, not the
#                   desktop (e2e) ones (skipped with VELLICO_SKIP_SANITIZERS=1).
#   3. build-fuzz/  each libFuzzer target briefly on its seeds (skipped with
#                   VELLICO_SKIP_FUZZ=1; VELLICO_FUZZ_SECONDS sets the time).
# The three configurations are the presets of CMakePresets.json. The ASan and fuzz
# builds run at idle CPU priority while the desktop tests run, which mostly wait on
# compositors and X servers; their tests start once the desktop tests are done.
# Exits non-zero when anything fails. VELLICO_JOBS sets the parallelism (default 2).
set -euo pipefail
cd "$(dirname "$0")/.."

# What only the KDE and GNOME desktop tests run is installed while the build runs.
bash scripts/install-deps.sh --without-desktops
desktops_log=$(mktemp)
bash scripts/install-deps.sh --desktops >"$desktops_log" 2>&1 &
desktops_pid=$!

# Every tracked C++ file follows .clang-format; a file that does not fails the
# run before anything is built.
mapfile -t sources < <(git ls-files '*.cpp' '*.h' 2>/dev/null || true)
if ((${#sources[@]} > 0)); then
  mapfile -t unformatted < <(for file in "${sources[@]}"; do
    clang-format --dry-run --Werror "$file" >/dev/null 2>&1 || echo "$file"
  done)
  if ((${#unformatted[@]} > 0)); then
    echo "test: these files are not formatted with .clang-format:" >&2
    printf '  %s\n' "${unformatted[@]}" >&2
    echo "Fix them with: git ls-files '*.cpp' '*.h' | xargs clang-format -i" >&2
    exit 1
  fi
fi

# Each folder of src/ includes only the folders the README's source tree allows it.
python3 scripts/check-includes.py --self-test
python3 scripts/check-includes.py

jobs=${VELLICO_JOBS:-2}
# Paths inside the checkout are hashed relative to it, so that a clone in
# another folder (CI's) finds what an earlier run compiled in ccache.
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD}
export CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}
summaries=()
status=0

# Runs ctest in a build folder, keeps its summary line, remembers a failure.
run_ctest() { # folder label [ctest arguments...]
  local folder=$1 label=$2 log
  shift 2
  log=$(mktemp)
  set +e
  (cd "$folder" && ctest --output-on-failure --no-tests=error -j"$jobs" "$@") 2>&1 | tee "$log"
  local result=${PIPESTATUS[0]}
  set -e
  local summary
  summary=$(grep -E 'tests passed|No tests were found' "$log" | tail -n 1 || true)
  summaries+=("$label: ${summary:-ctest printed no summary (status $result)}")
  rm -f "$log"
  if ((result != 0)); then
    status=1
  fi
}

echo "== build-test: clean build of everything"
rm -rf build-test
cmake --preset debug
cmake --build build-test -j"$jobs"
echo "== waiting for the KDE and GNOME desktop packages"
if ! wait "$desktops_pid"; then
  cat "$desktops_log" >&2
  echo "test: installing the KDE and GNOME desktop packages failed" >&2
  exit 1
fi
cat "$desktops_log"
rm -f "$desktops_log"

# Set before building too: test discovery runs the instrumented executables.
# Qt keeps some allocations for the life of the process, hence no leak report.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0:abort_on_error=1:strict_string_checks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
background_builds=()
[[ "${VELLICO_SKIP_SANITIZERS:-0}" != 1 ]] && background_builds+=(asan)
[[ "${VELLICO_SKIP_FUZZ:-0}" != 1 ]] && background_builds+=(fuzz)
# SCHED_IDLE where chrt allows it, else the lowest nice level: the compiler then
# only takes CPU time (and disk time) the desktop tests leave.
idle=(nice -n 19)
chrt --idle 0 true 2>/dev/null && idle=(chrt --idle 0)
ionice -c 3 true 2>/dev/null && idle=(ionice -c 3 "${idle[@]}")
builds_log=$(mktemp)
builds_pid=
if ((${#background_builds[@]} > 0)); then
  echo "== build-${background_builds[*]}: building at idle priority beside the tests (log: $builds_log)"
  (
    set -e
    for preset in "${background_builds[@]}"; do
      cmake --preset "$preset"
      "${idle[@]}" cmake --build "build-$preset" -j"$jobs"
    done
  ) >"$builds_log" 2>&1 &
  builds_pid=$!
  # Stops the build (cmake, make, the compilers) should this script end first.
  stop_tree() { local child; for child in $(pgrep -P "$1"); do stop_tree "$child"; done; kill "$1" 2>/dev/null || true; }
  trap '[[ -n $builds_pid ]] && stop_tree "$builds_pid"; true' EXIT
fi

# The desktop tests drive real compositors and X servers on two busy cores:
# one that fails is run once more, and ctest's output keeps both runs.
run_ctest build-test "unit and desktop tests" --repeat until-pass:2

if [[ -n $builds_pid ]]; then
  echo "== waiting for the build of ${background_builds[*]}"
  if ! wait "$builds_pid"; then
    tail -n 60 "$builds_log" >&2
    echo "test: the build of ${background_builds[*]} failed; its log: $builds_log" >&2
    summaries+=("build of ${background_builds[*]}: FAILED (log: $builds_log)")
    status=1
    VELLICO_SKIP_SANITIZERS=1 VELLICO_SKIP_FUZZ=1
  else
    rm -f "$builds_log"
  fi
  builds_pid=
fi

if [[ "${VELLICO_SKIP_SANITIZERS:-0}" != 1 ]]; then
  echo "== build-asan: unit and widget tests under AddressSanitizer and UndefinedBehaviorSanitizer"
  # The desktop tests drive the program from outside; they stay in the plain build.
  run_ctest build-asan "unit and widget tests under ASan+UBSan" -LE "e2e|wayland"
fi

if [[ "${VELLICO_SKIP_FUZZ:-0}" != 1 ]]; then
  echo "== build-fuzz: each libFuzzer target for ${VELLICO_FUZZ_SECONDS:-30} s on its seeds"
  fuzzed=0
  for seeds in fuzz/corpus/*/; do
    target=$(basename "$seeds")
    corpus=$(mktemp -d)
    cp "$seeds"* "$corpus"/
    set +e
    dict=()
    [[ -f fuzz/$target.dict ]] && dict=(-dict="$PWD/fuzz/$target.dict")
    log=$PWD/build-fuzz/fuzz_$target.log
    (cd "$corpus" && "$OLDPWD/build-fuzz/fuzz/fuzz_$target" -max_total_time="${VELLICO_FUZZ_SECONDS:-30}" \
      "${dict[@]}" -max_len=16384 -print_final_stats=1 . >"$log" 2>&1)
    result=$?
    set -e
    if ((result != 0)); then
      status=1
      summaries+=("fuzz_$target: FAILED (status $result)")
      # The report from its first line, and the input that ended the run, kept
      # (build-fuzz/crashes/) and shown: the corpus goes.
      grep -m1 -A60 -E 'ERROR:|runtime error|deadly signal|Test unit written' "$log" || tail -n 60 "$log"
      mkdir -p build-fuzz/crashes
      for input in "$corpus"/crash-* "$corpus"/oom-* "$corpus"/timeout-* "$corpus"/leak-*; do
        [[ -f $input ]] || continue
        cp "$input" build-fuzz/crashes/
        echo "fuzz_$target input $(basename "$input") (base64): $(base64 -w0 "$input")"
      done
    else
      tail -n 6 "$log"
      fuzzed=$((fuzzed + 1))
    fi
    rm -rf "$corpus"
  done
  summaries+=("fuzzing: $fuzzed targets ran clean")
fi

echo
echo "== summary"
for line in "${summaries[@]}"; do
  echo "$line"
done
exit "$status"
