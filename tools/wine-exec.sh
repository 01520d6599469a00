#!/bin/bash
# CTest's emulator for the cross-built test executables: runs one under Wine in
# the prefix that tools/test.sh prepared (or the caller's WINEPREFIX).
here=$(cd "$(dirname "$0")" && pwd)
export BUILD_DIR=${BUILD_DIR:-$here/../build}
. "$here/common.sh"
[ -n "${WINEPREFIX:-}" ] || wine_environment
# A run meant for another code page names its locale here; it wins over the
# Japanese default that wine_environment or the caller's shell set.
[ -z "${SORABAKO_LOCALE:-}" ] || export LC_ALL=$SORABAKO_LOCALE
exec wine "$@"
