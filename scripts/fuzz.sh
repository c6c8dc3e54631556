#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ (clang, with ASan and UBSan) and runs each
# over its seed corpus in fuzz/corpus/<target>.
#   scripts/fuzz.sh                 quick: a fixed number of executions per target, for the test run
#   scripts/fuzz.sh long [seconds]  every target for that long (default 600), keeping what it
#                                   finds in build/fuzz/corpus/<target> for the next long run
# FUZZ_TARGETS="a b" limits the run to those targets. A failing input is kept as
# build/fuzz/artifacts/<target>-crash-*; the script ends non-zero if any target failed.
set -euo pipefail
cd "$(dirname "$0")/.."

mode=${1:-quick}
seconds=${2:-600}
build=build/fuzz
targets=(${FUZZ_TARGETS:-config_reader integer_text decimal_number name_mask load_settings ini_editor pause_key
                         command_line})

command -v clang++ >/dev/null || { echo "fuzz.sh: clang++ is missing (scripts/install-deps.sh)" >&2; exit 1; }
cmake -S fuzz -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE= >/dev/null
cmake --build "$build" -j2 >/dev/null

# Executions in quick mode: the whole quick run, build included, stays near a minute.
declare -A quick_runs=([config_reader]=200000 [integer_text]=1000000 [decimal_number]=300000
                       [name_mask]=1000000 [load_settings]=50000 [ini_editor]=100000 [pause_key]=500000
                       [command_line]=60000)
declare -A max_len=([config_reader]=4096 [integer_text]=300 [decimal_number]=400
                    [name_mask]=1200 [load_settings]=4096 [ini_editor]=4096 [pause_key]=200
                    [command_line]=1024)
declare -A dict=([config_reader]=settings.dict [load_settings]=settings.dict [ini_editor]=settings.dict
                 [integer_text]=numbers.dict [decimal_number]=numbers.dict [pause_key]=keys.dict
                 [command_line]=command_line.dict)

mkdir -p "$build/artifacts"
failed=()
for target in "${targets[@]}"; do
  options=(-max_len="${max_len[$target]}" -timeout=10 -print_final_stats=1
           -artifact_prefix="$build/artifacts/$target-")
  [ -n "${dict[$target]:-}" ] && options+=(-dict="fuzz/${dict[$target]}")
  if [ "$mode" = long ]; then
    work="$build/corpus/$target"
    options+=(-max_total_time="$seconds" -use_value_profile=1)
  else
    # A fresh scratch corpus and a fixed seed: the same executions on every test run.
    work="$build/quick/$target"
    rm -rf "$work"
    options+=(-runs="${quick_runs[$target]}" -seed=1)
  fi
  mkdir -p "$work"
  log="$build/$target.log"
  start=$SECONDS
  # New inputs go to the first directory; the seed corpus in the repository stays as it is.
  if "$build/fuzz_$target" "${options[@]}" "$work" "fuzz/corpus/$target" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "fuzz $target: ${runs:-?} executions in $((SECONDS - start)) s"
  else
    echo "fuzz $target: FAILED, see $log" >&2
    grep -E 'property failed|ERROR|SUMMARY|escaped' "$log" | head -5 >&2 || true
    failed+=("$target")
  fi
done
[ ${#failed[@]} -eq 0 ] || { echo "fuzz.sh: failing targets: ${failed[*]}" >&2; exit 1; }
