#!/bin/bash
# Imports run downward only: app/ may use every room; workcopy/, settings/ and
# shellext/ use platform/ alone; platform/ uses nothing of the program.
root=${1:?source folder}
status=0
check() {  # room, rooms it must not include
    local room=$1; shift
    for banned in "$@"; do
        if grep -rnE "#include \"$banned/" "$root/$room" --include='*.h' --include='*.cpp'; then
            echo "$room/ must not include $banned/"
            status=1
        fi
    done
}
check workcopy app settings shellext
check settings app workcopy shellext
check shellext app workcopy settings
check platform app workcopy settings shellext
[ $status -eq 0 ] && echo "rooms: imports run downward"
exit $status
