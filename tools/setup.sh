#!/usr/bin/env bash
# Installs what building, running and testing Quindral needs on Debian 12 (as root),
# then configures the build folder. Packages already present are not fetched again.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
    build-essential cmake ninja-build pkg-config
    libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev libgl-dev
    fonts-ipafont-gothic
    xvfb xauth xdotool xclip faketime imagemagick x11-utils libx11-6 python3
    clang libclang-rt-14-dev time
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing packages: ${missing[*]} (run as root to install them)" >&2
        exit 1
    fi
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q
    apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build -G Ninja \
    -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
    -DQUINDRAL_WERROR=ON \
    -DQUINDRAL_SANITIZE=ON >/dev/null
