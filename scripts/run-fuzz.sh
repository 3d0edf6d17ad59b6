#!/usr/bin/env bash
# Runs every libFuzzer target of a build for a bounded time.
#   scripts/run-fuzz.sh <build-dir> [seconds-per-target]
# Seconds default to $BCF_FUZZ_SECONDS, else 60. When <build-dir> has no fuzz targets yet, it is
# configured with clang and -DBCF_BUILD_FUZZ=ON and the targets are built. The seed corpus is made
# from the official BCF 2.1 and 3.0 test cases (BCF_SHARED_DIR, default ../shared/bcf) and the
# project's own BCF 3.0 fixtures (tests/data/bcf30) in a temporary folder;
# crash artifacts go to <build-dir>/fuzz-artifacts. Exits non-zero when a target finds a fault.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${1:?usage: scripts/run-fuzz.sh <build-dir> [seconds-per-target]}
SECONDS_PER_TARGET=${2:-${BCF_FUZZ_SECONDS:-60}}
SHARED=${BCF_SHARED_DIR:-$ROOT/../shared/bcf}
JOBS=${BCF_JOBS:-2}

mkdir -p "$BUILD"
BUILD=$(cd "$BUILD" && pwd)
shopt -s nullglob
targets=("$BUILD"/bin/fuzz_*)
if [ ${#targets[@]} -eq 0 ]; then
  CC=clang CXX=clang++ cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBCF_BUILD_FUZZ=ON \
    -DBCF_BUILD_TESTS=OFF -DBCF_BUILD_BENCH=OFF -DBCF_BUILD_APPS=OFF >/dev/null
  cmake --build "$BUILD" --target fuzz_bcf_reader fuzz_cache_json -j"$JOBS"
  targets=("$BUILD"/bin/fuzz_*)
fi
if [ ${#targets[@]} -eq 0 ]; then
  echo "no fuzz targets in $BUILD" >&2
  exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
seeds="$work/seeds"
mkdir -p "$seeds"
# Seeds: each official case as a whole archive (first byte 0x00), and as a list of entries
# "name\ncontent" separated by 0x1E (first byte 0x01), which the reader target zips itself; every
# fourth case also as an archive read with deferred images (first byte 0x02).
n=0
for case in "$SHARED"/testcases/*/*/*.bcf; do
  n=$((n + 1))
  { printf '\x00'; cat "$case"; } >"$seeds/archive-$n"
  if ((n % 4 == 0)); then { printf '\x02'; cat "$case"; } >"$seeds/deferred-$n"; fi
  {
    printf '\x01'
    unzip -Z1 "$case" | while IFS= read -r entry; do
      case "$entry" in *.ifc|*.pdf|*.png) continue ;; esac
      printf '%s\n' "$entry"
      unzip -p "$case" "$entry"
      printf '\x1e'
    done
  } >"$seeds/entries-$n"
done
# The 3.0 fixtures as one archive's entries, so that a clone without the shared data has 3.0 seeds.
{
  printf '\x01'
  printf 'bcf.version\n<Version VersionId="3.0"/>\x1e'
  for entry in markup.bcf viewpoint.bcfv; do
    printf 'a1b2c3d4-0000-4000-8000-00000000000a/%s\n' "$entry"
    cat "$ROOT/tests/data/bcf30/$entry"
    printf '\x1e'
  done
  for entry in documents.xml extensions-damaged.xml; do
    printf '%s\n' "${entry/-damaged/}"
    cat "$ROOT/tests/data/bcf30/$entry"
    printf '\x1e'
  done
} >"$seeds/entries-fixtures-3.0"
# A topic record of the working cache, for the topic-file reader.
printf '{"guid":"t","title":"\u00e9\\n","viewpoints":[{"snapshot":{"snapshot_data":"AAE="}}],"n":[1,-0.5,1e3,null,true,{}]}' \
  >"$seeds/record-1"
echo "seed corpus: $(ls "$seeds" | wc -l) inputs from $SHARED and tests/data/bcf30"

mkdir -p "$BUILD/fuzz-artifacts"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$ROOT/scripts/lsan.supp:print_suppressions=0}
status=0
for target in "${targets[@]}"; do
  name=$(basename "$target")
  corpus="$work/corpus-$name"
  mkdir -p "$corpus"
  echo "==> $name for $SECONDS_PER_TARGET s"
  if ! "$target" -max_total_time="$SECONDS_PER_TARGET" -timeout=20 -rss_limit_mb=2048 -max_len=1048576 \
       -artifact_prefix="$BUILD/fuzz-artifacts/$name-" -print_final_stats=1 "$corpus" "$seeds" 2>"$work/$name.log"; then
    tail -n 60 "$work/$name.log" >&2
    echo "FAIL: $name found a fault; artifacts in $BUILD/fuzz-artifacts" >&2
    status=1
  else
    grep -E "^(stat::number_of_executed_units|stat::peak_rss_mb|Done)" "$work/$name.log" || true
    echo "ok: $name"
  fi
done
exit $status
