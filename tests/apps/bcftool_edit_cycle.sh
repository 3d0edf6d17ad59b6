#!/usr/bin/env bash
# The edit cycle from the shell: open a file into the working cache, add a comment, save, and read
# the saved file back: it has exactly one more comment, and nothing else changed.
source "$(dirname "$0")/testlib.sh" "$1" "$2"
require_shared
command -v jq >/dev/null || { echo "SKIP: jq is needed (scripts/install-deps.sh installs it)"; exit 77; }

# What may differ after a save, by design: the order of topics (the cache lists its folders), the
# names of viewpoint and snapshot entries inside the archive (the writer names them), the letter
# case of hex colours, the file path and the validity report.
normalize='del(.file, .validity)
  | .topics |= (map(if .viewpoints then .viewpoints |= map(del(.viewpoint_file, .snapshot_file)) else . end)
                | sort_by(.guid))
  | walk(if type == "object" and has("color") then .color |= ascii_downcase else . end)'

edit_cycle() {
    local file=$1 name=$2
    local text="Checked on site on $(date -u +%F): \"fixed\" & <ok>"
    expect_rc 0 info --json "$file"
    jq -S "$normalize" "$WORK/out" >"$WORK/$name.before.json" || fail "$name: info --json is not JSON"

    expect_rc 0 open "$file"
    expect_in "$WORK/out" "^Opened "
    expect_rc 0 topics
    local topics
    topics=$(wc -l <"$WORK/out")
    [ "$topics" -eq "$(jq '.topics | length' "$WORK/$name.before.json")" ] \
        || fail "$name: topics lists $topics topics"
    # The topic with the most comments, so that the new one is added to existing ones.
    local topic
    topic=$(jq -r '.topics | max_by(.comments | length) | .guid' "$WORK/$name.before.json")
    local before_count
    before_count=$(jq --arg t "$topic" '.topics[] | select(.guid == $t) | .comments | length' "$WORK/$name.before.json")

    expect_rc 0 comment "$topic" "$text" --author "tester@example.com"
    local comment
    comment=$(sed -n 's/^Added comment \([^ ]*\) to topic .*/\1/p' "$WORK/out")
    [ -n "$comment" ] || fail "$name: no comment id printed: $(cat "$WORK/out")"
    expect_rc 0 show "${topic:0:8}"
    expect_in "$WORK/out" "Comments \($((before_count + 1))\):"
    expect_in "$WORK/out" "\[$comment\] tester@example.com"

    expect_rc 0 save "$WORK/$name.saved.bcf"
    expect_rc 0 info "$WORK/$name.saved.bcf"
    expect_in "$WORK/out" "^Validity: read completely"
    expect_rc 0 info --json "$WORK/$name.saved.bcf"
    local after="$WORK/$name.after.json"
    jq -S "$normalize" "$WORK/out" >"$after" || fail "$name: info --json of the saved file is not JSON"

    # Exactly one new comment, with what was given.
    local added
    added=$(jq --arg t "$topic" --arg c "$comment" \
        '[.topics[] | select(.guid == $t) | .comments[] | select(.guid == $c)]' "$after")
    [ "$(jq length <<<"$added")" -eq 1 ] || fail "$name: the new comment is not in the saved file once"
    [ "$(jq -r '.[0].comment' <<<"$added")" = "$text" ] || fail "$name: comment text changed: $added"
    [ "$(jq -r '.[0].author' <<<"$added")" = "tester@example.com" ] || fail "$name: comment author: $added"
    [ "$(jq --arg t "$topic" '.topics[] | select(.guid == $t) | .comments | length' "$after")" -eq $((before_count + 1)) ] \
        || fail "$name: the topic does not have one more comment"

    # Everything else is unchanged.
    jq -S --arg t "$topic" --arg c "$comment" \
        '.topics |= map(if .guid == $t then .comments |= map(select(.guid != $c)) else . end)' \
        "$after" >"$WORK/$name.after-without.json"
    if ! diff -u "$WORK/$name.before.json" "$WORK/$name.after-without.json" >"$WORK/$name.diff"; then
        fail "$name: the saved file differs beyond the new comment:"$'\n'"$(head -40 "$WORK/$name.diff")"
    fi
}

edit_cycle "$CASES/Markup/MaximumInformation.bcf" maximum
edit_cycle "$CASES/Visualization/ComponentSelection.bcf" components

expect_rc 0 sample "$WORK/sample.bcf"
edit_cycle "$WORK/sample.bcf" sample

# A saved file opens again and lists the same topics.
expect_rc 0 open "$WORK/sample.saved.bcf"
expect_rc 0 topics
[ "$(wc -l <"$WORK/out")" -eq 3 ] || fail "reopened sample: $(cat "$WORK/out")"

# A 3.0 document is saved as 3.0; --to 2.1 writes 2.1, and the document is 2.1 from then on.
expect_rc 0 convert "$WORK/sample.bcf" "$WORK/sample.30.bcf" --to 3.0
expect_rc 0 open "$WORK/sample.30.bcf"
expect_rc 0 save "$WORK/sample.30.saved.bcf"
expect_in "$WORK/out" "(BCF 3.0)"
expect_rc 0 info "$WORK/sample.30.saved.bcf"
expect_in "$WORK/out" "Version:  3.0"
expect_rc 0 save "$WORK/sample.21.saved.bcf" --to 2.1
# What 2.1 cannot hold is listed once, in the save's own report, not again by the write.
expect_in "$WORK/err" "left out \(topic "
[ -z "$(grep -o 'left out (topic [^)]*)' "$WORK/err" | sort | uniq -d)" ] || fail "conversion listed twice: $(cat "$WORK/err")"
expect_rc 0 info "$WORK/sample.21.saved.bcf"
expect_in "$WORK/out" "Version:  2.1"
expect_rc 0 save "$WORK/sample.21.again.bcf"
expect_in "$WORK/out" "(BCF 2.1)"

finish
