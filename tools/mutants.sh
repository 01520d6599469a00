#!/bin/bash
# Mutation check: puts sampled one-line faults into chosen product files, one at
# a time, in a private copy of the tree (build/mutants/tree; this tree is never
# touched), rebuilds, runs the tests and lists the faults no test caught.
#
#   tools/mutants.sh [--per-file N] [--seed N] [PATH...]     (default: settings workcopy)
#
# The sample is fixed by the seed, so two runs over the same code try the same
# faults. MUTANT_TESTS overrides the ctest regex (default: the unit, integration
# and end-to-end runs, stopping at the first failure). Not part of .ci/run.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source_tree=${MUTANT_SOURCE:-$here/..}
work=${MUTANT_DIR:-$here/../build/mutants}
tree=$work/tree

options=()
while [ $# -gt 0 ]; do
    case "$1" in
        --per-file|--seed) options+=("$1" "$2"); shift 2 ;;
        *) break ;;
    esac
done
[ $# -gt 0 ] || set -- settings workcopy

mkdir -p "$tree"
python3 "$here/mutants.py" --tree "$tree" --sync-from "$source_tree"

export BUILD_DIR=$tree/build
. "$tree/tools/common.sh"
prepare_wine_session >"$work/prepare.log" 2>&1
mount_full_drive
regex=${MUTANT_TESTS:-'^(unit_tests|integration_tests|e2e_tests)$'}
python3 "$here/mutants.py" --tree "$tree" "${options[@]}" --report "$work/report.txt" \
    --build-cmd "cmake --build '$BUILD_DIR' -j 2" \
    --test-cmd "ctest --test-dir '$BUILD_DIR' -R '$regex' --stop-on-failure --output-on-failure --timeout 120" \
    "$@"
