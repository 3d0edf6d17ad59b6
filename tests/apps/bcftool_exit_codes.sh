#!/usr/bin/env bash
# Exit codes and messages on bad input: a missing file, a file that is no zip archive, an archive
# that is no BCF, a bad command line, an unknown topic and an unwritable output. The tool never
# crashes and prints nothing but its own messages on stderr (testlib.sh checks every call).
source "$(dirname "$0")/testlib.sh" "$1" "$2"

missing="$WORK/does-not-exist.bcf"
echo "this is not a zip archive" >"$WORK/notzip.bcf"
printf 'PK\003\004garbage' >"$WORK/truncated.bcf"
mkdir -p "$WORK/empty" && echo "hello" >"$WORK/empty/readme.txt"
(cd "$WORK/empty" && zip -q ../nobcf.bcf readme.txt) 2>/dev/null || cp "$WORK/notzip.bcf" "$WORK/nobcf.bcf"

for file in "$missing" "$WORK/notzip.bcf" "$WORK/truncated.bcf" "$WORK/nobcf.bcf" "$WORK"; do
    for command in info "info --json" check open; do
        # shellcheck disable=SC2086
        expect_rc 2 $command "$file"
        [ -s "$WORK/err" ] || fail "$command $file: no message on stderr"
        [ "$command" = "info --json" ] && [ -s "$WORK/out" ] && fail "info --json $file: printed JSON for an unusable file"
    done
    expect_rc 2 convert "$file" "$WORK/out.bcf"
    [ -e "$WORK/out.bcf" ] && fail "convert $file: wrote an output for an unusable file"
done
expect_rc 2 open "$WORK/empty/readme.txt"
expect_in "$WORK/err" "not a \*\.bcfzip file"

# Bad command lines: status 64, a message and a pointer to --help.
for args in "" "frobnicate" "info" "info a b" "convert a" "convert a b --to 4.0" "convert a b --to" \
            "info a --jsn" "check a --jsn" "comment t" "show" "topics extra" "sample" "info a --json --json"; do
    # shellcheck disable=SC2086
    expect_rc 64 $args
    expect_in "$WORK/err" "bcftool --help"
done
expect_rc 0 --help
expect_in "$WORK/out" "^Usage: bcftool"
expect_in "$WORK/out" "64 +bad command line"
expect_rc 0 info --help

# Working-cache commands on an empty cache and unknown topics: status 3.
expect_rc 0 topics
[ -s "$WORK/out" ] && fail "topics on an empty cache printed: $(cat "$WORK/out")"
expect_rc 3 show 0000
expect_rc 3 comment 0000 "text"

# A damaged topic file is named with its reason by topics, show, comment and save, never shown empty.
expect_rc 0 sample "$WORK/sample.bcf"
expect_rc 0 open "$WORK/sample.bcf"
damaged=$(find "$XDG_CACHE_HOME" -name annotation.json | head -1)
printf '{"guid": ' >"$damaged"
id=$(basename "$(dirname "$damaged")")
unset BCFTOOL_DEBUG # the library's own warning about the file stays in the log
for args in "0 topics" "3 show ${id:0:8}" "3 comment $id text" "3 save $WORK/damaged.bcf"; do
    # shellcheck disable=SC2086
    expect_rc $args
    cat "$WORK/out" "$WORK/err" | grep -q "$id.* damaged: unterminated" || fail "$args: the damage is not named"
done
export BCFTOOL_DEBUG=1
expect_rc 0 open "$WORK/sample.bcf"

if [ -d "$CASES" ]; then
    expect_rc 0 open "$CASES/Markup/MaximumInformation.bcf"
    expect_rc 3 show "no-such-topic"
    expect_in "$WORK/err" "no topic 'no-such-topic'"
    # A topic name is only matched against the listed guids, never used as a path.
    expect_rc 3 show "../../../../etc/passwd"
    expect_rc 3 comment "../5019D939-62A4-45D9-B205-FAB602C98FE8" "text"
    # An empty prefix or one that names several topics is refused too.
    expect_rc 64 show ""
    expect_rc 0 show 5019
    # "--" lets a comment begin with dashes.
    expect_rc 0 comment 5019 -- "--- dashes first"
    expect_rc 0 show 5019
    expect_in "$WORK/out" "    --- dashes first"
    # Arguments that look like Qt's own options are the tool's arguments all the same.
    expect_rc 0 comment 5019 -reverse
    expect_rc 0 show 5019
    expect_in "$WORK/out" "^    -reverse$"
    # Long texts come from a file or from standard input; an unreadable file says why.
    printf 'from a file\n' > "$WORK/text.txt"
    expect_rc 0 comment 5019 --file "$WORK/text.txt"
    echo "from standard input" | expect_rc 0 comment 5019 -
    expect_rc 0 show 5019
    expect_in "$WORK/out" "^    from a file$"
    expect_in "$WORK/out" "^    from standard input$"
    expect_rc 2 comment 5019 --file "$WORK/missing.txt"
    expect_in "$WORK/err" "cannot read .*missing.txt"

    # Unwritable outputs: status 3, the input and the cache untouched.
    expect_rc 3 save "$WORK/no/such/folder/out.bcf"
    expect_rc 3 export "$WORK/no/such/folder/out.bcf"
    expect_rc 3 convert "$CASES/Markup/MaximumInformation.bcf" "$WORK/no/such/folder/out.bcf"
    expect_rc 3 convert "$CASES/Markup/MaximumInformation.bcf" "$WORK/no/such/folder/out.bcf" --to 1.0
    expect_rc 3 sample "$WORK/no/such/folder/out.bcf"
    expect_rc 0 topics
    [ "$(wc -l <"$WORK/out")" -eq 2 ] || fail "the cache changed after failed saves"

    # A failed open leaves the cache as it was.
    expect_rc 2 open "$WORK/notzip.bcf"
    expect_rc 0 topics
    [ "$(wc -l <"$WORK/out")" -eq 2 ] || fail "a failed open changed the cache"

    # Damaged copies of a real file (cut short, bytes overwritten): a verdict, never a crash.
    original="$CASES/Markup/MaximumInformation.bcf"
    size=$(stat -c %s "$original")
    for cut in 30 $((size / 5)) $((size / 2)) $((size - 200)); do
        head -c "$cut" "$original" >"$WORK/cut.bcf"
        for command in info check open; do
            run $command "$WORK/cut.bcf"
            [ "$RC" -le 2 ] || fail "$command on $original cut at $cut bytes: exit status $RC"
        done
    done
    for offset in 100 $((size / 3)) $((size / 2)) $((size - 100)); do
        cp "$original" "$WORK/damaged.bcf"
        printf 'XXXXXXXXXXXXXXXX' | dd of="$WORK/damaged.bcf" bs=1 seek="$offset" conv=notrunc status=none
        for command in info check open; do
            run $command "$WORK/damaged.bcf"
            [ "$RC" -le 2 ] || fail "$command on $original damaged at $offset: exit status $RC"
        done
    done
    expect_rc 0 open "$original"

    # check: 0 for a complete file.
    expect_rc 0 check "$CASES/Markup/MaximumInformation.bcf"
    expect_in "$WORK/out" "no problems found"
fi

# check: 1 for a file read with losses (a topic whose markup is not XML), 2 for an unusable one.
mkdir -p "$WORK/lossy/0a1b2c3d-0000-4000-8000-000000000001" "$WORK/lossy/0a1b2c3d-0000-4000-8000-000000000002"
cat >"$WORK/lossy/bcf.version" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<Version VersionId="2.1"><DetailedVersion>2.1</DetailedVersion></Version>
XML
cat >"$WORK/lossy/0a1b2c3d-0000-4000-8000-000000000001/markup.bcf" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<Markup><Topic Guid="0a1b2c3d-0000-4000-8000-000000000001"><Title>Good&#x9B;2J&#x202E;title</Title>
<CreationDate>2026-01-01T00:00:00Z</CreationDate><CreationAuthor>a@b.c</CreationAuthor></Topic></Markup>
XML
echo "<Markup><Topic" >"$WORK/lossy/0a1b2c3d-0000-4000-8000-000000000002/markup.bcf"
if (cd "$WORK/lossy" && zip -q -r ../lossy.bcf .); then
    expect_rc 1 check "$WORK/lossy.bcf"
    expect_in "$WORK/out" "problem"
    expect_rc 0 info "$WORK/lossy.bcf"
    expect_in "$WORK/out" "^Topics: +1"
    # Text from the file cannot drive the terminal: the C1 control CSI and the bidi override in
    # the title are printed as replacement characters.
    expect_in "$WORK/out" "Good.2J.title"
    if LC_ALL=C grep -q -e "$(printf '\302\233')" -e "$(printf '\342\200\256')" "$WORK/out"; then
        fail "info printed control characters from the file"
    fi
    # Opening it prints the losses and still loads what could be read.
    expect_rc 0 open "$WORK/lossy.bcf"
    expect_in "$WORK/err" "^bcftool: "
    expect_rc 0 topics
    [ "$(wc -l <"$WORK/out")" -eq 1 ] || fail "lossy open: $(cat "$WORK/out")"
else
    fail "zip is needed to build the lossy archive"
fi
expect_rc 2 check "$WORK/notzip.bcf"

finish
