#!/usr/bin/env bash
# Installs the Debian/Ubuntu packages that building and testing need, those
# that are missing only. Runs apt-get as root (directly or through sudo).
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config clang-format
    libgtest-dev libboost-dev
    qt6-base-dev xvfb xauth fonts-ipafont-gothic locales
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
