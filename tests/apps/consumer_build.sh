#!/usr/bin/env bash
# Installs the build tree into a prefix inside the build tree, checks what was installed, builds the
# consumer project against the installed package and runs it, and runs the installed bcftool.
#   consumer_build.sh CMAKE BUILD_DIR CONSUMER_SOURCE WORKDIR [COMPILER_FLAGS]
set -u
CMAKE=$1
BUILD=$2
SOURCE=$3
WORK=$4
FLAGS=${5:-}
PREFIX="$WORK/prefix"
rm -rf "$WORK"
mkdir -p "$WORK"
export QT_QPA_PLATFORM=offscreen
export XDG_CACHE_HOME="$WORK/cache" XDG_CONFIG_HOME="$WORK/config"
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

"$CMAKE" --install "$BUILD" --prefix "$PREFIX" >"$WORK/install.log" 2>&1 \
    || { cat "$WORK/install.log"; echo "FAIL: cmake --install"; exit 1; }

libdir=lib
[ -d "$PREFIX/lib64" ] && libdir=lib64
for file in "$libdir/libVexamo.UI.Utils.BCFapi.so" "$libdir/libVexamo.Core.Utils.BCFLib.so" \
            "$libdir/libVexamo.UI.Utils.QtTools.so" "$libdir/libVexamo.UI.Icons.so" \
            "$libdir/libVexamo.Core.Utils.Utility.so" \
            include/BCFapi/BCFapi.h include/BCFapi/BCFKeys.h include/BCFapi/BCFapiRegistry.h \
            include/BCFapi/BCFCacheApi.h include/BCFapi/BCFFileApi.h include/BCFapi/BCF1Export.h \
            include/BCFLib/BCFModel.h include/QtTools/FileDialogs.h include/Icons/Icons.h \
            "$libdir/cmake/BCFapi/BCFapiConfig.cmake" "$libdir/cmake/BCFapi/BCFapiConfigVersion.cmake" \
            "$libdir/cmake/BCFapi/BCFapiTargets.cmake" bin/bcftool bin/bcfviewer; do
    [ -e "$PREFIX/$file" ] || fail "not installed: $file"
done

# The consumer sees only the prefix, not the build tree.
"$CMAKE" -S "$SOURCE" -B "$WORK/build" -DCMAKE_PREFIX_PATH="$PREFIX" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CXX_FLAGS="$FLAGS" -DCMAKE_EXE_LINKER_FLAGS="$FLAGS" \
    >"$WORK/configure.log" 2>&1 || { cat "$WORK/configure.log"; fail "consumer does not configure"; }
"$CMAKE" --build "$WORK/build" >"$WORK/build.log" 2>&1 || { tail -30 "$WORK/build.log"; fail "consumer does not build"; }
if [ -x "$WORK/build/consumer" ]; then
    output=$("$WORK/build/consumer" "$WORK/consumer-export.bcf" 2>"$WORK/consumer.err") \
        || fail "consumer failed: $output $(cat "$WORK/consumer.err")"
    [ "$output" = "topics=1 comments=1 exported=yes" ] || fail "consumer printed: $output"
    unzip -l "$WORK/consumer-export.bcf" 2>/dev/null | grep -q "markup.bcf" || fail "consumer's export has no markup.bcf"
fi

# The installed tool runs from the prefix with the installed libraries.
"$PREFIX/bin/bcftool" sample "$WORK/sample.bcf" >/dev/null 2>&1 || fail "installed bcftool sample"
"$PREFIX/bin/bcftool" info "$WORK/sample.bcf" >"$WORK/info.txt" 2>&1 || fail "installed bcftool info"
grep -q "^Topics: *3" "$WORK/info.txt" || fail "installed bcftool info: $(cat "$WORK/info.txt")"
if command -v ldd >/dev/null; then
    ldd "$PREFIX/bin/bcftool" | grep "Vexamo" | grep -q -v "$PREFIX" && fail "installed bcftool uses libraries outside the prefix"
fi

if [ "$failures" -gt 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "all checks passed"
