#!/usr/bin/env bash
# Times each benchmark in DO-Rozude (wavelith-script), Lua 5.4 and Python 3, best of five runs,
# and prints the ratios. Same exit code from all three shows they computed the same thing.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
script=${1:-$here/../build/native/wavelith-script}
# Debian's own interpreters when present (a version manager's shim would add its start-up time).
lua=$( [ -x /usr/bin/lua5.4 ] && echo /usr/bin/lua5.4 || command -v lua5.4 || true)
python=$( [ -x /usr/bin/python3 ] && echo /usr/bin/python3 || command -v python3 || true)

best_of_three() {  # prints "seconds exit-code"
  local best="" code=0
  for _ in 1 2 3 4 5; do
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1
    code=$?
    end=$(date +%s.%N)
    best=$(echo "$start $end ${best:-999}" | awk '{t = $2 - $1; print (t < $3 ? t : $3)}')
  done
  echo "$best $code"
}

exit_of_script() {  # wavelith-script exits 0 itself; the script's code is in its exit event
  "$script" --json "$1" | sed -n 's/.*"ev":"exit".*"code":\([-0-9]*\).*/\1/p'
}

printf '%-10s %12s %12s %12s %10s %10s\n' bench DO-Rozude lua5.4 python3 vs-lua vs-python
for name in loop fib string arrays regex sortarray; do
  read -r ours _ < <(best_of_three "$script" "$here/$name.rsc")
  ours_code=$(exit_of_script "$here/$name.rsc")
  lua_time=n/a python_time=n/a lua_ratio=n/a python_ratio=n/a
  if [ -n "$lua" ]; then
    read -r lua_time lua_code < <(best_of_three "$lua" "$here/$name.lua")
    [ "$lua_code" = "$ours_code" ] || echo "warning: $name: lua exit $lua_code, DO-Rozude $ours_code" >&2
    lua_ratio=$(awk -v a="$ours" -v b="$lua_time" 'BEGIN {printf "%.2fx", a / b}')
  fi
  if [ -n "$python" ]; then
    read -r python_time python_code < <(best_of_three "$python" "$here/$name.py")
    [ "$python_code" = "$ours_code" ] || echo "warning: $name: python exit $python_code, DO-Rozude $ours_code" >&2
    python_ratio=$(awk -v a="$ours" -v b="$python_time" 'BEGIN {printf "%.2fx", a / b}')
  fi
  printf '%-10s %11.3fs %12s %12s %10s %10s\n' "$name" "$ours" "$lua_time" "$python_time" "$lua_ratio" "$python_ratio"
done
echo "(times in seconds, best of five, process start included; ratio = DO-Rozude time / other time)"

# Large inputs for the lexer alone: 10 MB of blank lines, of spaces and of comment lines, then
# EXIT 7. The time must grow with the size (a lexer that looks ahead to the end of a run of
# white space at every line feed takes minutes on the first one).
work=$(mktemp -d "${TMPDIR:-/tmp}/bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
size=10000000
{ head -c $size /dev/zero | tr '\0' '\n'; echo "EXIT 7"; } > "$work/blank-lines.rsc"
{ head -c $size /dev/zero | tr '\0' ' '; printf '\nEXIT 7\n'; } > "$work/spaces.rsc"
{ yes "# a comment line, as long as many are" | head -c $size; printf '\nEXIT 7\n'; } > "$work/comments.rsc"
printf '\n%-12s %12s\n' lexing DO-Rozude
for name in blank-lines spaces comments; do
  read -r ours _ < <(best_of_three "$script" "$work/$name.rsc")
  code=$(exit_of_script "$work/$name.rsc")
  [ "$code" = 7 ] || echo "warning: $name: exit $code, not 7" >&2
  printf '%-12s %11.3fs\n' "$name" "$ours"
done
echo "(10 MB each, best of five, process start included)"
