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
# The three configurations are the presets of CMakePresets.json.
# Exits non-zero when anything fails. VELLICO_JOBS sets the parallelism (default 2).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

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
# The desktop tests drive real compositors and X servers on two busy cores:
# one that fails is run once more, and ctest's output keeps both runs.
run_ctest build-test "unit and desktop tests" --repeat until-pass:2

if [[ "${VELLICO_SKIP_SANITIZERS:-0}" != 1 ]]; then
  echo "== build-asan: unit and widget tests under AddressSanitizer and UndefinedBehaviorSanitizer"
  # Set before building too: test discovery runs the instrumented executables.
  # Qt keeps some allocations for the life of the process, hence no leak report.
  export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0:abort_on_error=1:strict_string_checks=1}
  export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
  cmake --preset asan
  cmake --build build-asan -j"$jobs"
  # The desktop tests drive the program from outside; they stay in the plain build.
  run_ctest build-asan "unit and widget tests under ASan+UBSan" -LE "e2e|wayland"
fi

if [[ "${VELLICO_SKIP_FUZZ:-0}" != 1 ]]; then
  echo "== build-fuzz: each libFuzzer target for ${VELLICO_FUZZ_SECONDS:-30} s on its seeds"
  cmake --preset fuzz
  cmake --build build-fuzz -j"$jobs"
  fuzzed=0
  for seeds in fuzz/corpus/*/; do
    target=$(basename "$seeds")
    corpus=$(mktemp -d)
    cp "$seeds"* "$corpus"/
    set +e
    dict=()
    [[ -f fuzz/$target.dict ]] && dict=(-dict="$PWD/fuzz/$target.dict")
    (cd "$corpus" && "$OLDPWD/build-fuzz/fuzz/fuzz_$target" -max_total_time="${VELLICO_FUZZ_SECONDS:-30}" \
      "${dict[@]}" -max_len=16384 -print_final_stats=1 . 2>&1 | tail -n 20)
    result=${PIPESTATUS[0]}
    set -e
    rm -rf "$corpus"
    if ((result != 0)); then
      status=1
      summaries+=("fuzz_$target: FAILED (status $result)")
    else
      fuzzed=$((fuzzed + 1))
    fi
  done
  summaries+=("fuzzing: $fuzzed targets ran clean")
fi

echo
echo "== summary"
for line in "${summaries[@]}"; do
  echo "$line"
done
exit "$status"
