#!/usr/bin/env bash
# The main job: installs the dependencies and builds the library, the host libraries and the apps
# in build/main.
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."
JOBS=${BCF_JOBS:-2}

bash scripts/install-deps.sh
cmake -S . -B build/main -DCMAKE_BUILD_TYPE=Release -DBCF_BUILD_TESTS=OFF -DBCF_BUILD_BENCH=OFF \
  -DBCF_BUILD_APPS=ON >/dev/null
cmake --build build/main -j"$JOBS"
echo "Built into build/main."
