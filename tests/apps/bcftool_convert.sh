#!/usr/bin/env bash
# convert both ways on every official BCF 2.1 case and on the sample (and the sample to 3.0 and 1.0): the BCF 2.1 output is valid
# against the BCF 2.1 schemas and reads back with the same topics, comments and viewpoints; the
# BCF 1.0 output has one folder per topic with its markup, first viewpoint and snapshot.
source "$(dirname "$0")/testlib.sh" "$1" "$2"
require_shared
SCHEMAS="$SHARED/schemas/2.1"
command -v xmllint >/dev/null || { echo "SKIP: xmllint is needed (package libxml2-utils)"; exit 77; }
command -v unzip >/dev/null || { echo "SKIP: unzip is needed"; exit 77; }
command -v jq >/dev/null || { echo "SKIP: jq is needed"; exit 77; }

# The XML documents to validate, by schema; validate_all checks them with one xmllint run per
# schema, which names every file that fails.
declare -A SCHEMA_FILES=()

validate_bcf21() {
    local archive=$1 name=$2
    local dir="$WORK/unpacked/$name.21"
    mkdir -p "$dir"
    unzip -q -o "$archive" -d "$dir" || { fail "$name: 2.1 output is not a zip archive"; return; }
    [ -f "$dir/bcf.version" ] || fail "$name: no bcf.version"
    local entry schema
    while IFS= read -r -d '' entry; do
        case "$entry" in
        */bcf.version) schema=version.xsd ;;
        */project.bcfp) schema=project.xsd ;;
        */markup.bcf) schema=markup.xsd ;;
        *.bcfv) schema=visinfo.xsd ;;
        *) continue ;;
        esac
        SCHEMA_FILES[$schema]+="$entry"$'\n'
    done < <(find "$dir" -type f -print0)
}

validate_all() {
    local schema
    for schema in "${!SCHEMA_FILES[@]}"; do
        local files=()
        mapfile -t files < <(printf '%s' "${SCHEMA_FILES[$schema]}")
        xmllint --noout --schema "$SCHEMAS/$schema" "${files[@]}" 2>"$WORK/xmllint.err" \
            || fail "outputs that do not validate against $schema:"$'\n'"$(grep -v ' validates$' "$WORK/xmllint.err" | head -20)"
    done
}

# Counts per topic, sorted by guid: guid, title, comments, viewpoints, snapshots.
summary() {
    jq -r '.topics | sort_by(.guid) | .[]
           | [.guid, .title, (.comments | length), (.viewpoints | length),
              ([.viewpoints[] | select(.snapshot)] | length)] | @tsv' "$1"
}

# The BCF 1.0 documents written, checked for well-formed XML at the end.
TEN_FILES=()

validate_bcf10() {
    local archive=$1 name=$2 info=$3
    local dir="$WORK/unpacked/$name.10"
    mkdir -p "$dir"
    unzip -q -o "$archive" -d "$dir" || { fail "$name: 1.0 output is not a zip archive"; return; }
    local guid viewpoints snapshot
    while IFS=$'\t' read -r guid viewpoints snapshot; do
        [ -f "$dir/$guid/markup.bcf" ] || { fail "$name: no $guid/markup.bcf"; continue; }
        grep -q '<Markup>' "$dir/$guid/markup.bcf" && grep -q "<Topic Guid=\"$guid\">" "$dir/$guid/markup.bcf" \
            || fail "$name: $guid/markup.bcf has no Markup/Topic"
        TEN_FILES+=("$dir/$guid/markup.bcf")
        if [ "$viewpoints" -gt 0 ]; then
            grep -q '<VisualizationInfo' "$dir/$guid/viewpoint.bcfv" 2>/dev/null \
                || fail "$name: $guid/viewpoint.bcfv missing or not a VisualizationInfo"
            TEN_FILES+=("$dir/$guid/viewpoint.bcfv")
        fi
        if [ "$snapshot" = true ]; then
            [ -s "$dir/$guid/snapshot.png" ] || fail "$name: $guid/snapshot.png missing"
        fi
    done < <(jq -r '.topics[] | [.guid, (.viewpoints | length), ((.viewpoints[0].snapshot // 0) > 0)] | @tsv' "$info")
    local folders
    folders=$(find "$dir" -mindepth 1 -maxdepth 1 -type d | wc -l)
    [ "$folders" -eq "$(jq '.topics | length' "$info")" ] || fail "$name: $folders topic folders in the 1.0 archive"
}

convert_case() {
    local file=$1 name
    name=$(basename "$file" .bcf)
    expect_rc 0 info --json "$file"
    cp "$WORK/out" "$WORK/$name.json"

    expect_rc 0 convert "$file" "$WORK/$name.21.bcf"
    expect_in "$WORK/out" "BCF 2.1"
    validate_bcf21 "$WORK/$name.21.bcf" "$name"
    expect_rc 0 info --json "$WORK/$name.21.bcf"
    cp "$WORK/out" "$WORK/$name.21.json"
    if ! diff <(summary "$WORK/$name.json") <(summary "$WORK/$name.21.json") >"$WORK/$name.diff"; then
        fail "$name: BCF 2.1 output reads back differently:"$'\n'"$(cat "$WORK/$name.diff")"
    fi

    expect_rc 0 convert "$file" "$WORK/$name.10.bcf" --to 1.0
    expect_in "$WORK/out" "BCF 1.0"
    validate_bcf10 "$WORK/$name.10.bcf" "$name" "$WORK/$name.json"
}

found=0
while IFS= read -r -d '' file; do
    convert_case "$file"
    found=$((found + 1))
done < <(find "$CASES" -name '*.bcf' -print0 | sort -z)
[ "$found" -gt 0 ] || fail "no official cases found under $CASES"

expect_rc 0 sample "$WORK/sample.bcf"
validate_bcf21 "$WORK/sample.bcf" sample-as-written
convert_case "$WORK/sample.bcf"

# The sample has what the README promises: three topics, all with a snapshot, comments and viewpoints
# (sample.json is the info --json that convert_case wrote).
[ "$(jq '.topics | length' "$WORK/sample.json")" -eq 3 ] || fail "sample: not three topics"
[ "$(jq '[.topics[] | select(([.viewpoints[] | select(.snapshot > 0)] | length) > 0)] | length' "$WORK/sample.json")" -eq 3 ] \
    || fail "sample: not every topic has a snapshot"
[ "$(jq '[.topics[].comments[]] | length' "$WORK/sample.json")" -ge 3 ] || fail "sample: too few comments"

# --to accepts 2.1 explicitly too, and a file can be converted in place.
expect_rc 0 convert "$WORK/sample.bcf" "$WORK/sample.bcf" --to=2.1
expect_rc 0 check "$WORK/sample.bcf"

# BCF 3.0 and 1.0: info reports the version read; the 3.0 output reads back with the same topics;
# converting a 3.0 file with a server id to 2.1 says on stderr what 2.1 cannot hold.
expect_rc 0 convert "$WORK/sample.bcf" "$WORK/sample.30.bcf" --to 3.0
expect_in "$WORK/out" "BCF 3.0"
expect_rc 0 info "$WORK/sample.30.bcf"
expect_in "$WORK/out" "Version:  3.0"
expect_rc 0 info --json "$WORK/sample.30.bcf"
diff <(summary "$WORK/sample.json") <(summary "$WORK/out") >/dev/null || fail "sample: BCF 3.0 output reads back differently"
expect_rc 0 info "$WORK/sample.10.bcf"
expect_in "$WORK/out" "Version:  1.0"
if [ -f "$SHARED/testcases/3.0/Markup/DocumentReferenceInternal.bcf" ]; then
    expect_rc 0 convert "$SHARED/testcases/3.0/Markup/DocumentReferenceInternal.bcf" "$WORK/internal.21.bcf" --to 2.1
    expect_in "$WORK/err" "ServerAssignedId left out"
fi

validate_all
xmllint --noout "${TEN_FILES[@]}" 2>"$WORK/xmllint.err" \
    || fail "BCF 1.0 documents that are not well-formed XML:"$'\n'"$(head -20 "$WORK/xmllint.err")"

finish
