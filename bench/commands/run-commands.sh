#!/usr/bin/env bash
# Times the user's bcftool commands end to end, each beside its floor in the same run, on the
# generator's medium archive (500 topics x 2 viewpoints, 150 KiB snapshots) and large archive
# (3000 topics x 5 comments, 100 KiB snapshots):
#   info      vs  unzip -t
#   open      vs  unzip -o to a fresh folder        (open fills a private working cache)
#   save      vs  zip -r -n .png of the unpacked tree
#   export    vs  zip -r of the unpacked tree        (export writes BCF 1.0)
#   topics    vs  cat of every topic file of the working cache
#   comment   vs  the same command on a 3-topic working cache (large scenario only; ten runs per sample)
# Each figure is the median of N runs (wall time, CPU time = user + system, peak resident memory
# from /usr/bin/time -v). Ratios are command / floor of the same run; memory is shown against the
# archive's size. Archives and caches live in a temporary folder that is removed at the end.
#
# Usage: bench/commands/run-commands.sh [--medium-only] [--runs N] [--build DIR]
#   --build DIR   build tree holding bin/bcftool and bin/bench_generate_archive (default build/dev)
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build="$root/build/dev"
runs=3
scenarios=(medium large)

while [ $# -gt 0 ]; do
  case "$1" in
    --medium-only) scenarios=(medium) ;;
    --runs) runs="$2"; shift ;;
    --runs=*) runs="${1#--runs=}" ;;
    --build) build="$2"; shift ;;
    --build=*) build="${1#--build=}" ;;
    -h|--help) sed -n '2,17p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) echo "unknown option $1" >&2; exit 64 ;;
  esac
  shift
done

bcftool="$build/bin/bcftool"
generate="$build/bin/bench_generate_archive"
for tool in "$bcftool" "$generate"; do
  [ -x "$tool" ] || { echo "missing $tool: build the targets bcftool and bench_generate_archive" >&2; exit 2; }
done
for tool in /usr/bin/time unzip zip; do
  command -v "$tool" >/dev/null || { echo "missing $tool (scripts/install-deps.sh installs it)" >&2; exit 2; }
done
[[ "$runs" =~ ^[1-9][0-9]*$ ]] || { echo "--runs takes a positive number" >&2; exit 64; }

work=$(mktemp -d "${TMPDIR:-/tmp}/bcf-commands.XXXXXX")
trap 'rm -rf "$work"' EXIT

# measure KEY PREPARE COMMAND...: runs PREPARE (untimed) then COMMAND, runs times; stores the
# medians of wall seconds, CPU seconds and peak KiB as KEY_wall, KEY_cpu and KEY_rss.
declare -A result
measure() {
  local key="$1" prepare="$2"
  shift 2
  local walls=() cpus=() rsss=() i
  for ((i = 0; i < runs; i++)); do
    eval "$prepare"
    if ! /usr/bin/time -v -o "$work/time.txt" "$@" >"$work/out.txt" 2>"$work/err.txt"; then
      echo "failed ($key): $*" >&2
      cat "$work/err.txt" "$work/time.txt" >&2
      exit 1
    fi
    walls+=("$(awk -F': ' '/Elapsed \(wall clock\)/ {
        n = split($2, p, ":"); s = 0; for (j = 1; j <= n; j++) s = s * 60 + p[j]; print s }' "$work/time.txt")")
    cpus+=("$(awk -F': ' '/User time/ {u = $2} /System time/ {s = $2} END {print u + s}' "$work/time.txt")")
    rsss+=("$(awk -F': ' '/Maximum resident set size/ {print $2}' "$work/time.txt")")
  done
  result[${key}_wall]=$(printf '%s\n' "${walls[@]}" | sort -g | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}')
  result[${key}_cpu]=$(printf '%s\n' "${cpus[@]}" | sort -g | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}')
  result[${key}_rss]=$(printf '%s\n' "${rsss[@]}" | sort -g | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}')
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "-" }'; }

# The working cache of a scenario: bcftool keeps it below $XDG_CACHE_HOME.
topic_files() { find "$1" -name annotation.json -print0; }

for s in "${scenarios[@]}"; do
  echo "== $s: generating the archive and its unpacked tree" >&2
  guid=$("$generate" "$s" "$work/$s.bcf" "$work/$s-tree")
  size_kib=$(( $(stat -c %s "$work/$s.bcf") / 1024 ))
  result[${s}_size]=$size_kib
  cache="$work/$s-cache"
  export XDG_CACHE_HOME="$cache"

  echo "== $s: info, open, topics, save, export" >&2
  measure "${s}_info" : "$bcftool" info "$work/$s.bcf"
  measure "${s}_info_floor" : unzip -t -qq "$work/$s.bcf"
  measure "${s}_open" : "$bcftool" open "$work/$s.bcf"
  measure "${s}_open_floor" 'rm -rf "$work/unzipped"' unzip -o -qq "$work/$s.bcf" -d "$work/unzipped"
  rm -rf "$work/unzipped"
  measure "${s}_topics" : "$bcftool" topics
  measure "${s}_topics_floor" : sh -c 'find "$1" -name annotation.json -exec cat {} + >/dev/null' sh "$cache"
  measure "${s}_save" 'rm -f "$work/saved.bcf"' "$bcftool" save "$work/saved.bcf"
  measure "${s}_save_floor" 'rm -f "$work/zipped.zip"' \
    sh -c 'cd "$1" && zip -r -q -n .png "$2" .' sh "$work/$s-tree" "$work/zipped.zip"
  measure "${s}_export" 'rm -f "$work/exported.bcf"' "$bcftool" export "$work/exported.bcf"
  measure "${s}_export_floor" 'rm -f "$work/zipped.zip"' \
    sh -c 'cd "$1" && zip -r -q "$2" .' sh "$work/$s-tree" "$work/zipped.zip"
  rm -f "$work/saved.bcf" "$work/exported.bcf" "$work/zipped.zip"

  if [ "$s" = large ]; then
    echo "== $s: comment on the large and on a 3-topic cache" >&2
    # One comment takes some 30 ms, near the 10 ms resolution of time(1): each sample is ten.
    comments() { for _ in 1 2 3 4 5 6 7 8 9 10; do "$bcftool" comment "$1" "benchmark comment" --author bench >/dev/null || return 1; done; }
    export -f comments
    export bcftool
    measure "${s}_comment" : bash -c 'comments "$1"' bash "$guid"
    small_guid=$("$generate" small "$work/small.bcf")
    export XDG_CACHE_HOME="$work/small-cache"
    "$bcftool" open "$work/small.bcf" >/dev/null
    measure "${s}_comment_floor" : bash -c 'comments "$1"' bash "$small_guid"
  fi
  rm -rf "$work/$s-tree" "$cache" "$work/small-cache"
done

# Table: per command, ratio to the floor (wall, and CPU in brackets) and both wall times.
cell() {
  local k="$1_$2"
  [ -n "${result[${k}_wall]:-}" ] || { printf -- '-'; return; }
  printf '%s× (cpu %s×) %.2f s / %.2f s, cpu %.2f s / %.2f s' \
    "$(ratio "${result[${k}_wall]}" "${result[${k}_floor_wall]}")" \
    "$(ratio "${result[${k}_cpu]}" "${result[${k}_floor_cpu]}")" \
    "${result[${k}_wall]}" "${result[${k}_floor_wall]}" "${result[${k}_cpu]}" "${result[${k}_floor_cpu]}"
}
mem() {
  local k="$1_$2"
  [ -n "${result[${k}_rss]:-}" ] || { printf -- '-'; return; }
  printf '%s× (%d MB)' "$(ratio "${result[${k}_rss]}" "${result[$1_size]}")" $(( result[${k}_rss] / 1024 ))
}

echo
echo "bcftool against its floor, median of $runs (wall ratio, CPU ratio; command / floor wall and CPU seconds)"
for s in "${scenarios[@]}"; do
  echo "  $s archive: $(( result[${s}_size] / 1024 )) MB"
done
echo
header="| command | floor |"
rule="|---|---|"
for s in "${scenarios[@]}"; do header+=" $s |"; rule+="---|"; done
echo "$header"; echo "$rule"
for row in "info|unzip -t" "open|unzip -o to a folder" "save|zip -r -n .png of the tree" \
           "export|zip -r of the tree" "topics|cat of every topic file" "comment|comment on a 3-topic cache"; do
  cmd=${row%%|*}; floor=${row#*|}
  line="| $cmd | $floor |"
  for s in "${scenarios[@]}"; do line+=" $(cell "$s" "$cmd") |"; done
  echo "$line"
done
echo
echo "Peak memory against the archive's size (median of $runs)"
echo
mheader="| command |"; mrule="|---|"
for s in "${scenarios[@]}"; do mheader+=" $s |"; mrule+="---|"; done
echo "$mheader"; echo "$mrule"
for cmd in info open save export topics comment; do
  line="| $cmd |"
  for s in "${scenarios[@]}"; do line+=" $(mem "$s" "$cmd") |"; done
  echo "$line"
done
