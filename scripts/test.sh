#!/usr/bin/env bash
# Builds everything with warnings as errors and runs every test, after
# installing what is missing. Also checks the formatting of the sources.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install_packages.sh
cmake --preset ci
cmake --build --preset ci
ctest --preset ci

if [ -d .git ]; then
    git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror
    echo "Formatting: clean"
fi
