#!/usr/bin/env bash
# Runs the fuzz targets of a fuzz tree (build/fuzz), one after the other.
#
#   fuzz/run-fuzz.sh [--smoke] FUZZ_TREE [TARGET...]
#
# Fuzzing (the default): each target for FUZZ_SECONDS seconds (default 60), growing its corpus
# in FUZZ_TREE/corpus/TARGET, which is kept from run to run; the script target also starts from
# every .rsc file of tests/corpus and uses the generated dictionary. Crashing, leaking and slow
# inputs land in FUZZ_TREE/artifacts/TARGET/; the whole output in FUZZ_TREE/logs/TARGET.log.
# FUZZ_TIMEOUT (seconds one input may take, default 10) and FUZZ_RSS_MB (default 4096) pass on
# to libFuzzer, and so does anything in FUZZ_FLAGS.
#
# --smoke: each target once over its seeds and then a fixed number of runs from a fixed seed in
# a scratch corpus; nothing is kept. For the test suite: it fails when a target crashes, leaks
# or spends more than 120 s on one input.
#
# The last line is "N passed, N failed" over the targets; the status is 0 only when none failed.
set -uo pipefail

smoke=0
if [ "${1:-}" = --smoke ]; then
  smoke=1
  shift
fi
[ $# -ge 1 ] || { echo "usage: $0 [--smoke] FUZZ_TREE [TARGET...]" >&2; exit 2; }
tree=$(cd "$1" 2>/dev/null && pwd) || { echo "run-fuzz: no fuzz tree at $1 (make fuzz builds it)" >&2; exit 2; }
shift
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(script_fuzzer settings_fuzzer ini_text_fuzzer command_line_fuzzer)
root=$(cd "$(dirname "$0")/.." && pwd)

# The engine's stack guard measures its own frame: fake stacks would hide the real one.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:halt_on_error=1:detect_stack_use_after_return=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}

seconds=${FUZZ_SECONDS:-60}
# A smoke run on a busy machine must not fail for a slow seed: only crashes count there.
timeout=${FUZZ_TIMEOUT:-10}
[ $smoke -eq 1 ] && timeout=120
common=(-timeout="$timeout" -rss_limit_mb="${FUZZ_RSS_MB:-4096}" -print_final_stats=1)

# The seed folder of a target (flat copies, so libFuzzer reads only scripts), or nothing.
seeds_of() {
  local target=$1 dir="$tree/seeds/$1"
  case "$target" in
    script_fuzzer)
      rm -rf "$dir" && mkdir -p "$dir"
      local file
      while IFS= read -r file; do
        cp "$root/tests/corpus/$file" "$dir/$(printf '%s' "$file" | tr '/' '_')"
      done < <(cd "$root/tests/corpus" && find . -name '*.rsc' -printf '%P\n' | LC_ALL=C sort)
      printf '%s\n' "$dir"
      ;;
  esac
}

# "runs exec/s cov ft" from a libFuzzer log.
figures() {
  local log=$1 runs speed cov ft
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  cov=$(grep -o ' cov: [0-9]*' "$log" | tail -1 | tr -dc 0-9)
  ft=$(grep -o ' ft: [0-9]*' "$log" | tail -1 | tr -dc 0-9)
  printf 'runs %s, %s exec/s, cov %s, ft %s' "${runs:-?}" "${speed:-?}" "${cov:-?}" "${ft:-?}"
}

passed=0
failed=0
mkdir -p "$tree/logs"
for target in "${targets[@]}"; do
  binary=$tree/$target
  if [ ! -x "$binary" ]; then
    echo "run-fuzz: $target is not built in $tree" >&2
    failed=$((failed + 1))
    continue
  fi
  options=("${common[@]}")
  [ -f "$tree/$target.dict" ] && options+=(-dict="$tree/$target.dict")
  seeds=$(seeds_of "$target")
  log=$tree/logs/$target.log
  if [ $smoke -eq 1 ]; then
    log=$tree/logs/$target-smoke.log
    scratch=$(mktemp -d "${TMPDIR:-/tmp}/fuzz-smoke.XXXXXX")
    runs=20000
    [ "$target" = script_fuzzer ] && runs=3000
    "$binary" "${options[@]}" -seed=1 -runs=$runs -artifact_prefix="$scratch/" "$scratch" ${seeds:+"$seeds"} \
      >"$log" 2>&1
    status=$?
    rm -rf "$scratch"
  else
    corpus=$tree/corpus/$target
    artifacts=$tree/artifacts/$target
    mkdir -p "$corpus" "$artifacts"
    echo "run-fuzz: $target for $seconds s (corpus $corpus)"
    # shellcheck disable=SC2086
    "$binary" "${options[@]}" -max_total_time="$seconds" -artifact_prefix="$artifacts/" ${FUZZ_FLAGS:-} \
      "$corpus" ${seeds:+"$seeds"} >"$log" 2>&1
    status=$?
  fi
  if [ $status -eq 0 ]; then
    passed=$((passed + 1))
    echo "run-fuzz: $target ok: $(figures "$log")"
  else
    failed=$((failed + 1))
    echo "run-fuzz: $target FAILED (status $status): $(figures "$log"); the end of $log:"
    tail -n 60 "$log"
  fi
done
echo "$passed passed, $failed failed"
[ $failed -eq 0 ]
