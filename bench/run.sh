#!/bin/bash
# Builds what it needs and prints the benchmark figures, each measured side by
# side with its reference in one run (alternating rounds), as medians with
# their spread and one ratio per line.
#   bench/run.sh [rounds]      (default 5)
set -euo pipefail
. "$(dirname "$0")/../tools/common.sh"
ROUNDS=${1:-5}

prepare_wine_session
DATA=$BUILD_DIR/bench-data
rm -rf "$DATA"; mkdir -p "$DATA"
win() { winepath -w "$1"; }
now_ms() { date +%s%N | awk '{printf "%.1f", $1/1000000}'; }
timed() { local t0 t1; t0=$(now_ms); "$@" >/dev/null 2>&1 </dev/null || true; t1=$(now_ms); awk -v a="$t0" -v b="$t1" 'BEGIN{printf "%.1f\n", b-a}'; }
# median and spread (max - min) of the numbers given
stats() { printf '%s\n' "$@" | sort -g | awk '{v[NR]=$1} END{m=(NR%2)?v[(NR+1)/2]:(v[NR/2]+v[NR/2+1])/2; printf "%.1f %.1f\n", m, v[NR]-v[1]}'; }
ROWS=()
row() { # name ours[] -- reference[] goal
    local name=$1 ours=$2 reference=$3 goal=$4
    read -r om os <<<"$ours"; read -r rm rs <<<"$reference"
    ROWS+=("$(awk -v n="$name" -v om="$om" -v os="$os" -v rm="$rm" -v rs="$rs" -v g="$goal" \
        'BEGIN{printf "%-44s %10.1f ±%-8.1f %10.1f ±%-8.1f %7.2f  %s", n, om, os, rm, rs, (rm>0?om/rm:0), g}')")
}

# A private installation with its own temporary folder.
install_to() { mkdir -p "$1/temp"; cp "$BUILD_DIR/Sorabako.exe" "$1/"; }
# Work copies of the installation in $1 land in its own folder in $DATA: its
# settings file chooses that folder (TMP and TEMP would not reach the program,
# Wine takes them from the prefix's registry). The settings are put back
# between rounds, since every one-shot run adds to the history.
choose_work_folder() {
    printf '[MODE]\r\nSystemTempFolder=0\r\nSameFolder=0\r\nAnotherFolder=1\r\nAnotherFolderName=%s\r\nSaveStatus=1\r\n' \
        "$(win "$1/temp")" > "$1/settings.ini"
    cp "$1/settings.ini" "$1/Sorabako.ini"
}
# Between rounds: no work copy stays behind, the settings are as installed.
clean_app() { rm -rf "$DATA/app/temp/"*; cp "$DATA/app/settings.ini" "$DATA/app/Sorabako.ini"; }
# Windows paths are worked out before the clock starts: winepath is a Wine process too.
one_shot() { wine "$1" "$2"; }

echo "Preparing data in $DATA"
install_to "$DATA/app"; choose_work_folder "$DATA/app"
head -c 1048576 /dev/urandom > "$DATA/one-mib.sbbench"
python3 - "$DATA/tree" <<'PY'
import os, random, sys
random.seed(1)
root = sys.argv[1]
for folder in range(100):
    path = os.path.join(root, "folder%03d" % folder)
    os.makedirs(path)
    for index in range(50):
        with open(os.path.join(path, "file%02d.bin" % index), "wb") as out:
            out.write(os.urandom(random.randint(1024, 65536)))
PY
head -c 268435456 /dev/urandom > "$DATA/big.bin"

APP=$DATA/app/Sorabako.exe

# 1. Send To latency.
ours=(); reference=(); nocopy=()
for _ in $(seq "$ROUNDS"); do
    source_w=$(win "$DATA/one-mib.sbbench"); missing_w=$(win "$DATA/missing.sbbench")
    ours+=("$(timed one_shot "$APP" "$source_w")")
    if [ -z "$(ls -A "$DATA/app/temp")" ]; then echo "The work copy did not land in $DATA/app/temp" >&2; exit 1; fi
    clean_app
    reference+=("$(timed wine "$BUILD_DIR/bench/MinimalWin32.exe")")
    nocopy+=("$(timed one_shot "$APP" "$missing_w")")
    clean_app
done
row "Send To, 1 MiB file vs minimal Win32 program" "$(stats "${ours[@]}")" "$(stats "${reference[@]}")" "goal <= 2"
row "  of which without the copy (missing source)" "$(stats "${nocopy[@]}")" "$(stats "${reference[@]}")" "(where the time goes)"

# 2. Folder copy: 5,000 files in 100 folders, and one 256 MiB file.
ours=(); xcopy=(); host=()
TREE_W=$(win "$DATA/tree"); BIG_W=$(win "$DATA/big.bin")
for _ in $(seq "$ROUNDS"); do
    ours+=("$(timed one_shot "$APP" "$TREE_W")"); clean_app
    xcopy+=("$(timed wine xcopy /e /h /i /q /y "$(win "$DATA/tree")" "$(win "$DATA/xcopy-tree")")"); rm -rf "$DATA/xcopy-tree"
    host+=("$(timed cp -r "$DATA/tree" "$DATA/cp-tree")"); rm -rf "$DATA/cp-tree"
done
row "Tree of 5,000 files vs xcopy /e /h /i" "$(stats "${ours[@]}")" "$(stats "${xcopy[@]}")" "goal <= 1"
row "Tree of 5,000 files vs cp -r on the host" "$(stats "${ours[@]}")" "$(stats "${host[@]}")" "ceiling: 1/ratio reached"
ours=(); xcopy=(); host=()
for _ in $(seq "$ROUNDS"); do
    ours+=("$(timed one_shot "$APP" "$BIG_W")"); clean_app
    mkdir -p "$DATA/xcopy-big"
    xcopy+=("$(timed wine xcopy /h /q /y "$(win "$DATA/big.bin")" "$(win "$DATA/xcopy-big")\\")"); rm -rf "$DATA/xcopy-big"
    host+=("$(timed cp "$DATA/big.bin" "$DATA/cp-big.bin")"); rm -f "$DATA/cp-big.bin"
done
row "One 256 MiB file vs xcopy" "$(stats "${ours[@]}")" "$(stats "${xcopy[@]}")" "goal <= 1"
row "One 256 MiB file vs cp on the host" "$(stats "${ours[@]}")" "$(stats "${host[@]}")" "ceiling: 1/ratio reached"

# 2b. Cancel in the progress dialog of the 5,000-file tree, pressed as soon as it shows.
stopped=(); ended=()
APP_W=$(win "$APP")
for _ in $(seq "$ROUNDS"); do
    cancel=$(wine "$BUILD_DIR/bench/CancelBench.exe" "$APP_W" "$TREE_W" 2>/dev/null | tr -d '\r')
    stopped+=("$(awk '$1=="cancel-dialog"{print $2}' <<<"$cancel")"); ended+=("$(awk '$1=="cancel-exit"{print $2}' <<<"$cancel")")
    if [ -n "$(ls -A "$DATA/app/temp")" ]; then echo "A cancelled copy left files in $DATA/app/temp" >&2; fi
    clean_app
done
row "Cancel until the copy has stopped vs 250 ms" "$(stats "${stopped[@]}")" "250.0 0" "goal < 1"
row "  until the program ended, its copy removed" "$(stats "${ended[@]}")" "250.0 0" "(where the time goes)"

# 3. A large history.
install_to "$DATA/history"; install_to "$DATA/empty"
python3 - "$DATA/history/Sorabako.ini" <<'PY'
import sys
with open(sys.argv[1], "w", newline="") as out:
    out.write("[LOG]\r\n")
    for i in range(1, 10001):
        out.write("File%d=C:\\projects\\folder %d\\document %d.txt\r\n" % (i, i % 97, i))
PY
starts=$(wine "$BUILD_DIR/bench/HistoryBench.exe" start x "$(win "$DATA/history")" "$(win "$DATA/empty")" "$ROUNDS" 2>/dev/null | tr -d '\r')
row "Window road, 10,000 history entries vs none" \
    "$(stats $(awk '$1=="start-10000"{print $2}' <<<"$starts"))" \
    "$(stats $(awk '$1=="start-empty"{print $2}' <<<"$starts"))" "goal <= 1.3"
loads=$(wine "$BUILD_DIR/bench/HistoryBench.exe" load "$(win "$DATA/history/Sorabako.ini")" 2>/dev/null | tr -d '\r')
echo "Loading 10,000 entries, step by step (ms):" $loads
moves=$(wine "$BUILD_DIR/bench/HistoryBench.exe" move 50 2>/dev/null | tr -d '\r')
row "Re-open moving the top of 10,000 entries vs one frame" "$(stats $(awk '{print $2}' <<<"$moves"))" "16.0 0" "goal < 1 (16 ms)"

# 4. Size.
size=$(stat -c %s "$BUILD_DIR/Sorabako.exe")
row "Sorabako.exe bytes vs 600 KB" "$size 0" "614400 0" "goal < 1, no DLL beside it"

echo
printf '%-44s %10s  %-8s %10s  %-8s %7s  %s\n' "figure (milliseconds unless said)" "ours" "spread" "reference" "spread" "ratio" "goal"
printf '%s\n' "${ROWS[@]}"
rm -rf "$DATA"
