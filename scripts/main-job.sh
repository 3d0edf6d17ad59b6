#!/usr/bin/env bash
# The main job: installs the dependencies and builds the library, the host libraries and the apps
# in build/main, then shows bcftool on its demonstration document (sample, info, convert to
# BCF 1.0) and starts the viewer on it when a display is present.
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."
JOBS=${BCF_JOBS:-2}

bash scripts/install-deps.sh
cmake -S . -B build/main -DCMAKE_BUILD_TYPE=Release -DBCF_BUILD_TESTS=OFF -DBCF_BUILD_BENCH=OFF \
  -DBCF_BUILD_APPS=ON >/dev/null
cmake --build build/main -j"$JOBS"
echo "Built into build/main."

BIN=build/main/bin
DEMO=build/main/demo
mkdir -p "$DEMO"

echo
echo "==> bcftool sample $DEMO/sample.bcf"
"$BIN/bcftool" sample "$DEMO/sample.bcf"
echo
echo "==> bcftool info $DEMO/sample.bcf"
"$BIN/bcftool" info "$DEMO/sample.bcf"
echo
echo "==> bcftool convert $DEMO/sample.bcf $DEMO/sample-bcf1.bcf --to 1.0"
"$BIN/bcftool" convert "$DEMO/sample.bcf" "$DEMO/sample-bcf1.bcf" --to 1.0

echo
if [ -n "${DISPLAY:-}" ]; then
  echo "==> bcfviewer $DEMO/sample.bcf (close the window to finish)"
  "$BIN/bcfviewer" "$DEMO/sample.bcf"
else
  echo "No display (DISPLAY is not set), so the viewer is not started."
  echo "On a desktop, run: $BIN/bcfviewer $DEMO/sample.bcf"
fi
