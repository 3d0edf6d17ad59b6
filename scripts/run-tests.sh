#!/usr/bin/env bash
# Installs the dependencies, builds the project and runs every test:
#   1. build/ci        plain build (Release), ctest
#   2. build/ci-asan   AddressSanitizer + UndefinedBehaviorSanitizer build, ctest
#   3. build/ci-fuzz   libFuzzer targets with clang, bounded run of scripts/run-fuzz.sh
#                      (only when fuzz/ has targets)
# Exits non-zero when any stage fails; prints a summary at the end.
# Environment: BCF_JOBS (parallel jobs, default 2), BCF_FUZZ_SECONDS (per fuzz target, default 30).
set -uo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."
ROOT=$(pwd)
JOBS=${BCF_JOBS:-2}
export BCF_FUZZ_SECONDS=${BCF_FUZZ_SECONDS:-30}
export QT_QPA_PLATFORM=offscreen
export CTEST_OUTPUT_ON_FAILURE=1

summary=()
failed=0

# run <label> <command...>: runs one stage, records its result and duration.
run() {
  local label=$1
  shift
  local start=$SECONDS
  echo
  echo "==> $label"
  if "$@"; then
    summary+=("PASS  $label ($((SECONDS - start)) s)")
  else
    summary+=("FAIL  $label ($((SECONDS - start)) s)")
    failed=1
    return 1
  fi
}

# skip <label> <reason>
skip() {
  summary+=("SKIP  $1: $2")
}

# ccache, where a developer has it, makes the repeated builds cheap; CI builds without it.
launcher=()
command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

configure() {
  local dir=$1
  shift
  cmake -S "$ROOT" -B "$ROOT/$dir" "${launcher[@]}" "$@" >"$ROOT/$dir.configure.log" 2>&1 \
    || { cat "$ROOT/$dir.configure.log"; return 1; }
}

build() {
  cmake --build "$ROOT/$1" -j"$JOBS"
}

# Totals over every ctest run, for the closing line.
tests_passed=0
tests_failed=0
run_ctest() {
  local log="$ROOT/$1.ctest.log" status
  ctest --test-dir "$ROOT/$1" --output-on-failure -j"$JOBS" 2>&1 | tee "$log"
  status=${PIPESTATUS[0]}
  local line
  line=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -1)
  if [ -n "$line" ]; then
    local failed_here total
    failed_here=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
    total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line")
    tests_passed=$((tests_passed + total - failed_here))
    tests_failed=$((tests_failed + failed_here))
  fi
  return "$status"
}

# skipped_tests <build dir>: adds to the summary how many test functions the last ctest run of that
# build skipped, and why (the QSKIP messages of the Qt Test output, counted per reason).
skipped_tests() {
  local log="$ROOT/$1/Testing/Temporary/LastTest.log"
  [ -f "$log" ] || return 0
  local count
  count=$(grep -c '^SKIP   : ' "$log")
  summary+=("      $1: $count test function(s) skipped")
  [ "$count" -eq 0 ] && return 0
  local reason
  while IFS= read -r reason; do
    summary+=("        $reason")
  done < <(grep '^SKIP   : ' "$log" | sed 's/^SKIP   : [^(]*([^)]*) //' | sort | uniq -c | sort -rn)
}

build_fuzz() {
  CC=clang CXX=clang++ configure build/ci-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DBCF_BUILD_FUZZ=ON -DBCF_BUILD_TESTS=OFF -DBCF_BUILD_BENCH=OFF -DBCF_BUILD_APPS=OFF \
    && build build/ci-fuzz
}

fuzz_targets_present() {
  local d
  for d in "$ROOT"/fuzz/*/; do
    [ -f "$d/CMakeLists.txt" ] && return 0
  done
  return 1
}

mkdir -p "$ROOT/build"

run "install dependencies" bash "$ROOT/scripts/install-deps.sh"
if [ "$failed" -ne 0 ]; then
  echo "Dependencies could not be installed." >&2
  exit 1
fi

# 1. Plain build and tests.
# A failed build still runs the tests that were built, so one broken area hides nothing else.
if run "configure build/ci" configure build/ci -DCMAKE_BUILD_TYPE=Release; then
  run "build build/ci" build build/ci
  run "ctest build/ci" run_ctest build/ci
  skipped_tests build/ci
fi

# 2. Sanitizers. Qt and the platform libraries keep some allocations until exit; the suppressions
# name those libraries only, so a leak in this project's code still fails.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=1"
export LSAN_OPTIONS="suppressions=$ROOT/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
if run "configure build/ci-asan" configure build/ci-asan -DCMAKE_BUILD_TYPE=Debug \
     -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" -DBCF_SANITIZE=ON -DBCF_BUILD_BENCH=OFF -DBCF_BUILD_APPS=ON; then
  run "build build/ci-asan (ASan+UBSan)" build build/ci-asan
  run "ctest build/ci-asan (ASan+UBSan)" run_ctest build/ci-asan
  skipped_tests build/ci-asan
fi
unset ASAN_OPTIONS LSAN_OPTIONS UBSAN_OPTIONS

# 3. Fuzz targets, when there are any.
if fuzz_targets_present; then
  if run "build build/ci-fuzz (clang, libFuzzer)" build_fuzz; then
    if [ -f "$ROOT/scripts/run-fuzz.sh" ]; then
      run "fuzz (${BCF_FUZZ_SECONDS} s per target)" env BCF_FUZZ_BUILD_DIR="$ROOT/build/ci-fuzz" \
        bash "$ROOT/scripts/run-fuzz.sh" "$ROOT/build/ci-fuzz"
    else
      skip "fuzz" "scripts/run-fuzz.sh not present"
    fi
  else
    skip "fuzz" "build failed"
  fi
else
  skip "fuzz" "no fuzz targets"
fi

echo
echo "==================== summary ===================="
printf '%s\n' "${summary[@]}"
echo "total time: $SECONDS s"
echo "ctest programs: $tests_passed passed, $tests_failed failed"
if [ "$failed" -ne 0 ]; then
  echo "RESULT: FAILED"
  exit 1
fi
echo "RESULT: PASSED"
