#!/usr/bin/env bash
# Sets up what is missing, builds, and starts the editor; an optional file argument is opened.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/setup.sh"
"$here/build.sh"
exec "$here/../build/src/vantrokelmissory" "$@"
