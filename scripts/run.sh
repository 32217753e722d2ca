#!/usr/bin/env bash
# Builds the program and opens its window, after installing what is missing.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install_packages.sh
cmake --preset release >/dev/null
cmake --build --preset release
exec build/release/ui/vernolak "$@"
