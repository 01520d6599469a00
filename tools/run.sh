#!/bin/bash
# Installs what is missing, builds, and runs Sorabako.exe under Wine.
#   tools/run.sh            the window
#   tools/run.sh <path>     the one-shot road: <path> (a Linux or Windows path) opens as a work copy
# With no X display it brings up its own Xvfb.
set -euo pipefail
. "$(dirname "$0")/common.sh"

prepare_wine_session

arguments=()
if [ $# -gt 0 ]; then
    if [ -e "$1" ]; then arguments=("$(winepath -w "$1")"); else arguments=("$1"); fi
fi
wine "$BUILD_DIR/Sorabako.exe" "${arguments[@]}"
