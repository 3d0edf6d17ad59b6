#!/usr/bin/env bash
# Installs the Debian 12 packages that the build, the tests, the benchmarks and the apps need.
# Idempotent; prints nothing when everything is already installed.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qtbase5-dev qtbase5-dev-tools libqt5svg5-dev
  libquazip1-qt5-dev libsimdjson-dev
  liblog4cplus-dev
  libopenscenegraph-dev
  libxml2-dev libxml2-utils jq
  xvfb xauth
  clang libclang-rt-14-dev llvm
  zip unzip time
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  SUDO=sudo
else
  SUDO=
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
