# Shared by the shell tests of bcftool. Usage, from a test script:
#   source testlib.sh BCFTOOL WORKDIR
# Every run gets its own cache and settings under WORKDIR (XDG folders), and the tool's stderr is
# checked on every call: only the tool's own "bcftool: " messages may appear there.
set -u

TOOL=$1
WORK=$2
rm -rf "$WORK"
mkdir -p "$WORK/runtime"
chmod 700 "$WORK/runtime"
export XDG_CACHE_HOME="$WORK/cache" XDG_CONFIG_HOME="$WORK/config" XDG_DATA_HOME="$WORK/data"
export XDG_RUNTIME_DIR="$WORK/runtime"
export QT_QPA_PLATFORM=offscreen
# Lets Qt's own warnings through, so that the stderr check below catches any.
export BCFTOOL_DEBUG=1
SHARED=${BCF_SHARED_DIR:-${BCF_SHARED_DIR_DEFAULT:-}}
CASES="$SHARED/testcases/2.1"
failures=0
RC=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# Runs the tool; stdout goes to $WORK/out, stderr to $WORK/err, the exit status to RC.
run() {
    "$TOOL" "$@" >"$WORK/out" 2>"$WORK/err"
    RC=$?
    # The offscreen platform's note when a message box is shown is the one Qt line allowed.
    if grep -v -E '^(bcftool: |    )' "$WORK/err" | grep -q -v -F 'Qt: This plugin does not support propagateSizeHints()'; then
        fail "bcftool $*: unexpected output on stderr:"$'\n'"$(cat "$WORK/err")"
    fi
}

expect_rc() {
    local want=$1
    shift
    run "$@"
    if [ "$RC" -ne "$want" ]; then
        fail "bcftool $*: exit status $RC, expected $want; stderr: $(cat "$WORK/err")"
    fi
}

expect_in() {
    local file=$1 pattern=$2
    grep -q -E -- "$pattern" "$file" || fail "'$pattern' not found in $(basename "$file"):"$'\n'"$(cat "$file")"
}

require_shared() {
    if [ ! -d "$CASES" ]; then
        echo "SKIP: shared BCF data not found at '$SHARED' (set BCF_SHARED_DIR)"
        exit 77
    fi
}

finish() {
    if [ "$failures" -gt 0 ]; then
        echo "$failures check(s) failed"
        exit 1
    fi
    echo "all checks passed"
    exit 0
}
