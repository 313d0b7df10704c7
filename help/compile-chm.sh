#!/usr/bin/env bash
# Compiles the generated help pages into quellix.chm with chmcmd, the Free Pascal CHM compiler.
#
#   help/compile-chm.sh CHMCMD PAGES OUTPUT
#
# The pages are UTF-8 and say so in their meta tag; the contents and index files have no such
# tag and are read in the code page of the help file's language (Japanese: Shift_JIS), so they
# are converted. chmcmd reports a link to a missing file as a warning and other faults as
# "Error:", yet exits 0: its output decides. Its anchor check files the anchors of a page in a
# subfolder under another name than the links to them, so it calls every anchor of _RESOURCE/
# undefined; those lines are dropped here and the help test checks every link and anchor. Its log
# quotes index names in the help's code page: grep reads it as text (-a), or it would hide the lines.
set -euo pipefail
chmcmd=$1
pages=$2
output=$3

cd "$pages"
for file in quellix.hhc quellix.hhk; do
  iconv -f UTF-8 -t CP932 "$file" > "$file.cp932"
  mv "$file.cp932" "$file"
done
# Every page, style sheet and picture goes in, not only those that some link reaches.
{
  echo
  echo "[FILES]"
  find . -type f ! -name 'quellix.hh?' -printf '%P\n' | LC_ALL=C sort
} >> quellix.hhp

rm -f quellix.chm
log=$("$chmcmd" quellix.hhp 2>&1) || { echo "$log" >&2; exit 1; }
problems=$(grep -aE '^(Error|Warning)' <<< "$log" | grep -avE '^Error: Anchor .* undefined; first use ' || true)
if [ -n "$problems" ] || [ ! -s quellix.chm ]; then
  echo "${problems:-$log}" >&2
  echo "compile-chm: chmcmd reported problems; no help file written" >&2
  exit 1
fi
mv quellix.chm "$output"
