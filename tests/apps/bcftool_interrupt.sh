#!/usr/bin/env bash
# Ctrl-C (SIGINT) during a long open stops bcftool with status 130 and leaves the previous document
# whole; an open that finished before the signal installed the new one whole.
source "$(dirname "$0")/testlib.sh" "$1" "$2"
GENERATE=${3:-}
[ -x "$GENERATE" ] || { echo "SKIP: the archive generator (bench_generate_archive) is not built"; exit 77; }
"$GENERATE" lean "$WORK/many.bcf" >/dev/null || fail "the archive generator failed"

interrupted=0
for delay in 0.2 0.6 1.2; do
    expect_rc 0 sample "$WORK/sample.bcf"
    expect_rc 0 open "$WORK/sample.bcf"
    "$TOOL" open "$WORK/many.bcf" >"$WORK/out" 2>"$WORK/err" &
    pid=$!
    sleep "$delay"
    kill -INT "$pid"
    wait "$pid"
    rc=$?
    case $rc in
        130) interrupted=$((interrupted + 1)); expect_in "$WORK/err" "^bcftool: interrupted$"; want=3 ;;
        0) want=3000 ;;
        *) fail "open interrupted after ${delay}s: exit status $rc"; want=-1 ;;
    esac
    expect_rc 0 topics
    [ "$(wc -l <"$WORK/out")" -eq "$want" ] || fail "after ${delay}s (status $rc): $(wc -l <"$WORK/out") topics listed, not $want"
    grep -q -v " comments: " "$WORK/out" && fail "after ${delay}s: an incomplete topic is listed"
done
[ "$interrupted" -gt 0 ] || fail "no open was long enough to be interrupted"
finish
