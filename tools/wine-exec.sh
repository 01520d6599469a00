#!/bin/bash
# CTest's emulator for the cross-built test executables: runs one under Wine in
# the prefix that tools/test.sh prepared (or the caller's WINEPREFIX).
here=$(cd "$(dirname "$0")" && pwd)
export BUILD_DIR=${BUILD_DIR:-$here/../build}
. "$here/common.sh"
[ -n "${WINEPREFIX:-}" ] || wine_environment
exec wine "$@"
