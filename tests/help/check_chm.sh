#!/bin/bash
# The built help file is a CHM whose table of contents lists every help page.
set -euo pipefail
chm=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
[ "$(head -c 4 "$chm")" = "ITSF" ] || { echo "not a CHM file: $chm"; exit 1; }
7z x -y -o"$work" "$chm" >/dev/null
toc=$(iconv -f CP932 -t UTF-8 "$work/toc.hhc")
status=0
for page in index usage pages history shortcuts messages; do
    [ -f "$work/$page.html" ] || { echo "missing page $page.html"; status=1; }
    grep -q "value=\"$page.html\"" <<<"$toc" || { echo "$page.html not in the contents"; status=1; }
done
for title in "使い方" "履歴" "メッセージ一覧"; do
    grep -q "$title" <<<"$toc" || { echo "contents lack $title"; status=1; }
done
# Read whole first: grep -q at the end of a pipe stops reading at its match, and
# pipefail then takes the writer's broken pipe for a failure.
messages=$(iconv -f CP932 -t UTF-8 "$work/messages.html")
grep -q "既に起動されています。" <<<"$messages" || { echo "messages page lacks a message"; status=1; }
exit $status
