#!/usr/bin/env bash
# Sets up what is missing, builds, and runs the whole test suite with CTest.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/setup.sh"
"$here/build.sh"
cd "$here/../build"
ctest --output-on-failure --parallel "$(nproc)" "$@"
