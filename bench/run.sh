#!/usr/bin/env bash
# Times each benchmark in DO-Rozude (wavelith-script), Lua 5.4 and Python 3, best of three runs,
# checks that all three computed the same result, and prints the ratios with the worst of each.
# Exits 1 when a result differs.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
script=${1:-$here/../build/native/wavelith-script}
# Debian's own interpreters when present (a version manager's shim would add its start-up time).
lua=$( [ -x /usr/bin/lua5.4 ] && echo /usr/bin/lua5.4 || command -v lua5.4 || true)
python=$( [ -x /usr/bin/python3 ] && echo /usr/bin/python3 || command -v python3 || true)
work=$(mktemp -d "${TMPDIR:-/tmp}/bench.XXXXXX")
trap 'rm -rf "$work"' EXIT

best_of_three() {  # prints the best wall time in seconds
  local best=999
  for _ in 1 2 3; do
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s.%N)
    best=$(awk -v s="$start" -v e="$end" -v b="$best" 'BEGIN {t = e - s; print (t < b ? t : b)}')
  done
  echo "$best"
}

# The result of a run: DO-Rozude's is its exit code (full 32 bits in the exit event), the others
# print theirs.
result_of() {
  case "$1" in
  *.rsc) "$script" --json "$1" | sed -n 's/.*"ev":"exit".*"code":\([-0-9]*\).*/\1/p' ;;
  *.lua) "$lua" "$1" ;;
  *.py) "$python" "$1" ;;
  esac
}

# Lexing and parsing a large script: 100,000 different statements, each run once, in the same
# syntax in all three languages.
awk 'BEGIN {
  print "s = 0" > "'"$work"'/parse.rsc"; print "s = 0" > "'"$work"'/parse.lua"; print "s = 0" > "'"$work"'/parse.py"
  for (i = 0; i < 100000; i++) {
    line = "s = (s * 31 + " (i * 7) % 100003 ") % 1000003"
    print line > "'"$work"'/parse.rsc"; print line > "'"$work"'/parse.lua"; print line > "'"$work"'/parse.py"
  }
  print "EXIT s" > "'"$work"'/parse.rsc"; print "print(s)" > "'"$work"'/parse.lua"; print "print(s)" > "'"$work"'/parse.py"
}'

failed=0
declare -A extension=([lua]=lua [python]=py) worst=([lua]=0 [python]=0)
printf '%-10s %10s %10s %10s %9s %9s\n' bench DO-Rozude lua5.4 python3 vs-lua vs-python
for name in loop fib string arrays sortjoin regex parse; do
  dir=$here
  [ "$name" = parse ] && dir=$work
  ours=$(best_of_three "$script" "$dir/$name.rsc")
  expected=$(result_of "$dir/$name.rsc")
  row=$(printf '%-10s %9.3fs' "$name" "$ours")
  ratios=""
  for language in lua python; do
    interpreter=${!language}
    program=$dir/$name.${extension[$language]}
    if [ -z "$interpreter" ]; then
      row+=$(printf ' %10s' n/a)
      ratios+=$(printf ' %9s' n/a)
      continue
    fi
    got=$(result_of "$program")
    if [ "$got" != "$expected" ]; then
      echo "error: $name: $language computed $got, DO-Rozude $expected" >&2
      failed=1
    fi
    theirs=$(best_of_three "$interpreter" "$program")
    row+=$(printf ' %9.3fs' "$theirs")
    ratio=$(awk -v a="$ours" -v b="$theirs" 'BEGIN {printf "%.2f", a / b}')
    ratios+=$(printf ' %9s' "${ratio}x")
    worst[$language]=$(awk -v a="$ratio" -v b="${worst[$language]}" 'BEGIN {print ((a > b) ? a : b)}')
  done
  echo "$row$ratios"
done
printf '%-10s %10s %10s %10s %9s %9s\n' worst "" "" "" "${worst[lua]}x" "${worst[python]}x"
echo "(seconds, best of three, process start included; ratio = DO-Rozude time / other time;"
echo " the goal: at most 2x Lua 5.4 and 0.5x Python 3 on every line)"

# Large inputs for the lexer alone: 10 MB of blank lines, of spaces and of comment lines, then
# EXIT 7. The time must grow with the size (a lexer that looks ahead to the end of a run of
# white space at every line feed takes minutes on the first one).
size=10000000
{ head -c $size /dev/zero | tr '\0' '\n'; echo "EXIT 7"; } > "$work/blank-lines.rsc"
{ head -c $size /dev/zero | tr '\0' ' '; printf '\nEXIT 7\n'; } > "$work/spaces.rsc"
{ yes "# a comment line, as long as many are" | head -c $size; printf '\nEXIT 7\n'; } > "$work/comments.rsc"
printf '\n%-12s %10s\n' lexing DO-Rozude
for name in blank-lines spaces comments; do
  ours=$(best_of_three "$script" "$work/$name.rsc")
  code=$(result_of "$work/$name.rsc")
  [ "$code" = 7 ] || { echo "error: $name: exit $code, not 7" >&2; failed=1; }
  printf '%-12s %9.3fs\n' "$name" "$ours"
done
echo "(10 MB each, best of three, process start included)"
exit $failed
