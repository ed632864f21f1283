#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need.
# Runs apt-get only when something is missing; uses sudo when not root.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config
  libjsoncpp-dev libpugixml-dev libudev-dev libsystemd-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-svg-dev qt6-qpa-plugins libgl-dev libxcb1-dev
  clang libclang-rt-14-dev
  fonts-noto-core fonts-noto-cjk
  libx11-dev libxtst-dev
  xvfb xauth imagemagick x11-utils xdotool
  librsvg2-bin desktop-file-utils appstream lintian
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

sudo=""
if [[ $(id -u) -ne 0 ]]; then
  sudo="sudo"
fi
echo "setup: installing ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
