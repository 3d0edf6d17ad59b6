#!/usr/bin/env bash
# bcftool check from the command line: exit status, the report's lines and its JSON form.
source "$(dirname "$0")/../apps/testlib.sh" "$1" "$2"

expect_rc 0 sample "$WORK/sample.bcf"
expect_rc 0 check "$WORK/sample.bcf"
expect_in "$WORK/out" "^Schema checks skipped: no schema folder given"
expect_in "$WORK/out" "no problems found \(BCF 2\.1\)"
expect_rc 0 check --json "$WORK/sample.bcf"
jq -e '.version == "2.1" and .schemas.checked == false and (.problems | length) == 0' "$WORK/out" >/dev/null \
    || fail "check --json on the sample: $(cat "$WORK/out")"

# A topic in a folder not named by its guid, with a date that does not parse.
mkdir -p "$WORK/bad/not-the-guid"
printf '<Version VersionId="2.1"><DetailedVersion>2.1</DetailedVersion></Version>\n' >"$WORK/bad/bcf.version"
cat >"$WORK/bad/not-the-guid/markup.bcf" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<Markup>
  <Topic Guid="0a1b2c3d-0000-4000-8000-000000000001"><Title>t</Title>
    <CreationDate>yesterday</CreationDate><CreationAuthor>a@b.c</CreationAuthor></Topic>
</Markup>
XML
(cd "$WORK/bad" && zip -q -r ../bad.bcf .) || fail "zip is needed"
expect_rc 1 check "$WORK/bad.bcf"
expect_in "$WORK/out" "^error: not-the-guid/markup.bcf:3: the topic folder"
expect_in "$WORK/out" "^error: not-the-guid/markup.bcf:4: CreationDate \"yesterday\""
expect_in "$WORK/out" "2 problem\(s\), 2 error\(s\) and 0 warning\(s\)"
expect_rc 1 check "$WORK/bad.bcf" --json
jq -e '[.problems[] | .check] == ["folder", "date"] and .problems[1].line == 4' "$WORK/out" >/dev/null \
    || fail "check --json on a bad file: $(cat "$WORK/out")"

echo "not a zip" >"$WORK/notzip.bcf"
expect_rc 2 check "$WORK/notzip.bcf"
expect_in "$WORK/err" "^bcftool: .*cannot be checked: not a readable zip archive"
expect_rc 64 check "$WORK/sample.bcf" --schemas "$WORK/no-such-folder"

if [ -d "$SHARED/schemas" ]; then
    expect_rc 0 check "$WORK/sample.bcf" --schemas "$SHARED/schemas"
    grep -q "Schema checks skipped" "$WORK/out" && fail "schemas given, yet skipped: $(cat "$WORK/out")"
    # A single version's folder works as well.
    expect_rc 1 check "$CASES/Markup/MaximumInformation.bcf" --schemas "$SHARED/schemas/2.1" --json
    jq -e '[.problems[] | select(.check == "schema")] | length == 4' "$WORK/out" >/dev/null \
        || fail "MaximumInformation: $(cat "$WORK/out")"
elif [ "${CI:-}" = "true" ]; then
    fail "no shared schemas at $SHARED (CI=true)"
fi

finish
