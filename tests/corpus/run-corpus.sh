#!/usr/bin/env bash
# Runs the DO-Rozude corpus against a wavelith-script binary and compares its --json events with
# each case's expect.jsonl, byte for byte.
#
#   tests/corpus/run-corpus.sh BINARY [--wine] [CASE...]
#
# BINARY   the native wavelith-script, or with --wine the wavelith-script.exe of the win64 tree
# --wine   run every case inside one Wine session (tools/wine-session.sh), from a generated batch
# CASE     only the cases whose path (group/case) starts with one of these prefixes
#
# A case is a folder holding run1.rsc [run2.rsc ...], expect.jsonl and optionally args (extra
# options on one line, split at white space). Each case runs as
#   BINARY --json ARGS run1.rsc run2.rsc ...
# from inside its folder. It passes when standard output equals expect.jsonl and the exit status
# is 0. The last line is "N passed, N failed"; the status is 0 only when none failed.
set -uo pipefail

usage() {
  echo "usage: $0 BINARY [--wine] [CASE...]" >&2
  exit 2
}

[ $# -ge 1 ] || usage
binary=$1
shift
wine=0
filters=()
for arg in "$@"; do
  case "$arg" in
    --wine) wine=1 ;;
    -*) usage ;;
    *) filters+=("${arg%/}") ;;
  esac
done

corpus=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$corpus/../.." && pwd)
case_timeout=${CORPUS_CASE_TIMEOUT:-60}
session_timeout=${CORPUS_WINE_TIMEOUT:-1500}

if [ ! -f "$binary" ]; then
  echo "run-corpus: no binary at $binary (build it first)" >&2
  exit 2
fi
binary=$(cd "$(dirname "$binary")" && pwd)/$(basename "$binary")

selected() {
  local name=$1 f
  [ ${#filters[@]} -eq 0 ] && return 0
  for f in "${filters[@]}"; do
    case "$name" in "$f" | "$f"/*) return 0 ;; esac
  done
  return 1
}

cases=()
while IFS= read -r dir; do
  name=${dir#"$corpus"/}
  selected "$name" && cases+=("$name")
done < <(find "$corpus" -mindepth 2 -name run1.rsc -printf '%h\n' | LC_ALL=C sort)

if [ ${#cases[@]} -eq 0 ]; then
  echo "run-corpus: no case matches" >&2
  exit 2
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/corpus.XXXXXX")
trap 'rm -rf "$work"' EXIT

# The runs of a case, in number order (run10 after run9).
runs_of() {
  local dir=$1 i=1
  while [ -f "$dir/run$i.rsc" ]; do
    printf '%s\n' "run$i.rsc"
    i=$((i + 1))
  done
}

args_of() {
  local dir=$1
  [ -f "$dir/args" ] && cat "$dir/args"
}

# ---- execution ------------------------------------------------------------------------------
if [ "$wine" = 0 ]; then
  for i in "${!cases[@]}"; do
    dir=$corpus/${cases[$i]}
    read -r -a extra <<< "$(args_of "$dir")"
    mapfile -t runs < <(runs_of "$dir")
    (cd "$dir" && timeout -k 5 "$case_timeout" "$binary" --json "${extra[@]}" "${runs[@]}") \
      > "$work/$i.out" 2> "$work/$i.err" < /dev/null
    echo $? > "$work/$i.rc"
  done
else
  # Wine starts an X server and a wineserver per session, so every case runs from one batch.
  to_windows() { printf 'Z:%s' "${1//\//\\}"; }
  bat_quote() { local s=${1//%/%%}; printf '"%s"' "$s"; }
  batch=$work/corpus.bat
  {
    printf '@echo off\r\n'
    for i in "${!cases[@]}"; do
      dir=$corpus/${cases[$i]}
      read -r -a extra <<< "$(args_of "$dir")"
      mapfile -t runs < <(runs_of "$dir")
      line="$(bat_quote "$(to_windows "$binary")") --json"
      for word in "${extra[@]}" "${runs[@]}"; do
        line+=" $(bat_quote "$word")"
      done
      printf 'cd /d %s\r\n' "$(bat_quote "$(to_windows "$dir")")"
      redirect="> $(bat_quote "$(to_windows "$work/$i.out")") 2> $(bat_quote "$(to_windows "$work/$i.err")")"
      printf '%s %s\r\n' "$line" "$redirect"
      # Now and then Wine's cmd cannot start a program at all (9009, "not recognized"): once more.
      printf 'if %%ERRORLEVEL%% EQU 9009 %s %s\r\n' "$line" "$redirect"
      printf 'echo %%ERRORLEVEL%% > %s\r\n' "$(bat_quote "$(to_windows "$work/$i.rc")")"
    done
  } > "$batch"
  timeout -k 10 "$session_timeout" "$root/tools/wine-session.sh" cmd /c "$(to_windows "$batch")" \
    > "$work/session.out" 2>&1 < /dev/null
  session_status=$?
  # A Windows console program may end its lines with CR LF.
  for i in "${!cases[@]}"; do
    [ -f "$work/$i.out" ] && sed -i 's/\r$//' "$work/$i.out"
    [ -f "$work/$i.err" ] && sed -i 's/\r$//' "$work/$i.err"
    [ -f "$work/$i.rc" ] && sed -i 's/\r$//; s/ *$//' "$work/$i.rc"
  done
fi

# ---- comparison -----------------------------------------------------------------------------
passed=0
failed=0
for i in "${!cases[@]}"; do
  name=${cases[$i]}
  dir=$corpus/$name
  expect=$dir/expect.jsonl
  rc=$(cat "$work/$i.rc" 2> /dev/null)
  problem=""
  if [ ! -f "$expect" ]; then
    problem="no expect.jsonl"
  elif [ -z "$rc" ]; then
    problem="no result (the Wine session ended before this case finished; a hang?)"
  elif [ "$rc" = 124 ] && [ "$wine" = 0 ]; then
    problem="timed out after ${case_timeout} s"
  elif [ "$rc" != 0 ]; then
    problem="exit status $rc"
  elif ! cmp -s "$expect" "$work/$i.out"; then
    problem="output differs"
  fi
  if [ -z "$problem" ]; then
    passed=$((passed + 1))
    continue
  fi
  failed=$((failed + 1))
  echo "FAIL $name: $problem"
  if [ -f "$expect" ] && [ -f "$work/$i.out" ]; then
    diff -u --label "$name/expect.jsonl" --label "actual" "$expect" "$work/$i.out" | sed 's/^/    /'
  fi
  if [ -s "$work/$i.err" ]; then
    echo "    stderr:"
    head -n 20 "$work/$i.err" | sed 's/^/      /'
  fi
done

if [ "$wine" = 1 ] && [ "${session_status:-0}" != 0 ] && [ "$failed" -gt 0 ]; then
  echo "Wine session status $session_status; its output:"
  tail -n 20 "$work/session.out" | sed 's/^/    /'
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
