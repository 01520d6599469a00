#!/bin/bash
# Installs what is missing, builds, and runs the whole test suite under Wine
# in a private prefix, on its own Xvfb when there is no display.
set -euo pipefail
. "$(dirname "$0")/common.sh"

prepare_wine_session
mount_full_drive

cd "$BUILD_DIR"
ctest --output-on-failure --timeout 120 "$@"
