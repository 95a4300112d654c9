#!/usr/bin/env bash
# Measures how many small faults the tests catch. Each fault of
# scripts/mutants.list is applied to the code in turn; the test programs are
# built (incrementally), the unit tests run, then the display tests under a
# virtual X server as scripts/test.sh runs them; the file is restored and a
# line tells which suite caught the fault. The totals follow at the end.
#
#   scripts/mutants.sh [-C checkout] [-B build-dir] [--check] [N | N-M ...]
#
#   -C checkout   the repository to mutate (default: the one holding this script)
#   -B build-dir  its configured build folder (default: <checkout>/build)
#   --check       only tell whether every fault applies; builds and runs nothing
#   N, N-M        run only these faults (numbered as the list's fault lines)
#
# Environment:
#   MUTANTS_DISPLAY=all        display tests for every fault (default)
#   MUTANTS_DISPLAY=survivors  display tests only for faults the unit tests miss
#   MUTANTS_DISPLAY=none       unit tests only
#   MUTANTS_BASELINE=0         skip the first run of the unchanged suite
#   MUTANTS_UNIT_TIMEOUT       seconds a unit test may take (default 120)
#   MUTANTS_DISPLAY_TIMEOUT    seconds a display test may take (default 300)
#   MUTANTS_JOBS               build jobs (default: the number of processors)
#
# A fault whose text is not found exactly once is reported as "not applied"
# and counted apart; one that does not compile is "no build". The tree is
# left as it was, also when the run is interrupted.
set -uo pipefail

script_folder=$(cd "$(dirname "$0")" && pwd)
list="$script_folder/mutants.list"
checkout=$(cd "$script_folder/.." && pwd)
build=""
check_only=0
selection=()
while [ $# -gt 0 ]; do
  case "$1" in
    -C) checkout=$(cd "$2" && pwd); shift 2 ;;
    -B) build="$2"; shift 2 ;;
    --check) check_only=1; shift ;;
    -h|--help) sed -n '2,/^set /p' "$0" | sed '$d; s/^# \{0,1\}//'; exit 0 ;;
    *) selection+=("$1"); shift ;;
  esac
done
build=$(cd "$checkout" && realpath -m "${build:-build}")
display_mode=${MUTANTS_DISPLAY:-all}
unit_timeout=${MUTANTS_UNIT_TIMEOUT:-120}
display_timeout=${MUTANTS_DISPLAY_TIMEOUT:-300}
jobs=${MUTANTS_JOBS:-$(nproc 2>/dev/null || echo 2)}
case "$display_mode" in all|survivors|none) ;; *)
  echo "MUTANTS_DISPLAY is all, survivors or none, not '$display_mode'" >&2; exit 2 ;;
esac

# The faults: parallel arrays, numbered from 1.
files=() originals=() replacements=() meanings=()
while IFS= read -r line || [ -n "$line" ]; do
  case "$line" in ''|'#'*) continue ;; esac
  IFS=$'\x1f' read -r name original replacement meaning \
    <<< "$(printf '%s' "$line" | sed 's/ | /\x1f/; s/ | /\x1f/; s/ | /\x1f/')"
  if [ -z "$meaning" ]; then
    echo "mutants.list: a line needs four fields split by ' | ': $line" >&2
    exit 2
  fi
  files+=("$name") originals+=("$original") replacements+=("$replacement") meanings+=("$meaning")
done < "$list"
count=${#files[@]}

chosen=()
if [ ${#selection[@]} -eq 0 ]; then
  mapfile -t chosen < <(seq 1 "$count")
else
  for item in "${selection[@]}"; do
    if [[ "$item" =~ ^([0-9]+)-([0-9]+)$ ]]; then
      mapfile -t -O "${#chosen[@]}" chosen < <(seq "${BASH_REMATCH[1]}" "${BASH_REMATCH[2]}")
    elif [[ "$item" =~ ^[0-9]+$ ]]; then
      chosen+=("$item")
    else
      echo "not a fault number or range: $item" >&2; exit 2
    fi
  done
fi
for n in "${chosen[@]}"; do
  if [ "$n" -lt 1 ] || [ "$n" -gt "$count" ]; then
    echo "there is no fault $n (the list has $count)" >&2; exit 2
  fi
done

# The source file of a fault, by its name, outside the tests and benchmarks.
source_of() {
  git -C "$checkout" ls-files -- "$1" "*/$1" ':!tests/**' ':!bench/**'
}

# Replaces the text in the file when it occurs exactly once; prints why not.
replace_once() {
  python3 - "$1" "$2" "$3" <<'EOF'
import sys
path, original, replacement = sys.argv[1:4]
with open(path, encoding="utf-8") as f:
    text = f.read()
found = text.count(original)
if found != 1:
    print("text found %d times in %s" % (found, path))
    sys.exit(1)
with open(path, "w", encoding="utf-8") as f:
    f.write(text.replace(original, replacement))
EOF
}

# The file being changed and its original contents, put back on any exit.
mutated=""
backup=$(mktemp)
shims=$(mktemp -d)
restore() {
  if [ -n "$mutated" ]; then
    cat "$backup" > "$mutated"
    mutated=""
  fi
}
log_folder=""
cleanup() {
  restore
  rm -rf "$backup" "$shims" "$log_folder"
}
trap cleanup EXIT
trap 'echo; echo "interrupted; the file is restored" >&2; exit 130' INT TERM HUP

# Applies fault n (in this shell, so that restore knows the file); leaves the
# file in $note, or the reason the fault cannot be applied.
apply() {
  local i=$(($1 - 1)) found
  found=$(source_of "${files[$i]}")
  if [ -z "$found" ]; then
    note="no file ${files[$i]}"; return 1
  fi
  if [ "$(printf '%s\n' "$found" | wc -l)" -ne 1 ]; then
    note="several files named ${files[$i]}: ${found//$'\n'/ }"; return 1
  fi
  cat "$checkout/$found" > "$backup"
  mutated="$checkout/$found"
  if ! note=$(replace_once "$mutated" "${originals[$i]}" "${replacements[$i]}"); then
    restore; return 1
  fi
  note="$found"
}

if [ "$check_only" -eq 1 ]; then
  missing=0
  for n in "${chosen[@]}"; do
    if apply "$n"; then
      restore
      printf '%3d  applies      %s\n' "$n" "$note"
    else
      missing=$((missing + 1))
      printf '%3d  NOT APPLIED  %s | %s  (%s)\n' "$n" "${files[$((n - 1))]}" \
        "${originals[$((n - 1))]}" "$note"
    fi
  done
  echo "$((${#chosen[@]} - missing)) of ${#chosen[@]} faults apply"
  [ "$missing" -eq 0 ]
  exit
fi

if [ ! -f "$build/CMakeCache.txt" ]; then
  echo "no configured build in $build; configure it first, e.g." >&2
  echo "  cmake -S $checkout -B $build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache" >&2
  exit 2
fi

# The display tests run as on a fresh machine (see scripts/test.sh): no zenity
# on PATH and an X server with nothing but its built-in fonts.
display_path=$("$(dirname "$0")/path-without-zenity.sh" "$shims")

# Which test programs a build makes: every kind the run uses for the unchanged
# code, and before the unit tests of a fault only what runs right away.
baseline_targets=display mutant_targets=display
[ "$display_mode" = none ] && baseline_targets=unit
[ "$display_mode" != all ] && mutant_targets=unit

log_folder=$(mktemp -d "${TMPDIR:-/tmp}/mutants.XXXXXX")

# The program and the unit tests; the display tests too when asked.
build_tests() {
  local targets=(tavizo unit_tests)
  [ "${1:-}" = display ] && targets+=(display_tests)
  cmake --build "$build" -j "$jobs" --target "${targets[@]}" > "$log_folder/build.log" 2>&1
}

run_unit() {
  ctest --test-dir "$build" -L unit --stop-on-failure --timeout "$unit_timeout" \
    --output-on-failure > "$log_folder/unit.log" 2>&1
}

# The display tests, or those whose names match $1.
run_display() {
  local chosen_tests=(-L display)
  [ -n "${1:-}" ] && chosen_tests=(-R "$1")
  PATH="$display_path" timeout --kill-after=30 $((display_timeout * 10)) \
    xvfb-run -a -s "-screen 0 1920x1080x24 -noreset -fp built-ins" \
    ctest --test-dir "$build" "${chosen_tests[@]}" --stop-on-failure \
    --timeout "$display_timeout" --output-on-failure > "$log_folder/display.log" 2>&1
}

# The first failing test of a ctest log, for the report.
first_failure() {
  grep -m1 -E 'Test +#[0-9]+: .*(\*\*\*|Failed|Timeout|Exception)' "$1" |
    sed -E 's/.*Test +#[0-9]+: ([^ ]+).*(\*\*\*|[^*])(Failed|Timeout|Exception|Not Run)?.*/\1 \3/; s/ +$//'
}

# The failed test's gtest failure lines, to tell why in the report.
failure_lines() {
  grep -m3 -E '^\[  FAILED  \] [A-Za-z]|Failure$|: error:' "$1" | tr '\n' ' ' | cut -c1-300
}

echo "mutants: ${#chosen[@]} of $count faults, display tests: $display_mode, checkout $checkout, build $build"
echo "started $(date '+%F %T')"

if [ "${MUTANTS_BASELINE:-1}" != 0 ]; then
  start=$SECONDS
  if ! build_tests "$baseline_targets"; then
    echo "the unchanged code does not build:" >&2; grep -m5 ': error:' "$log_folder/build.log" >&2
    exit 1
  fi
  if ! run_unit; then
    echo "the unit tests fail without any fault: $(first_failure "$log_folder/unit.log")" >&2
    tail -n 60 "$log_folder/unit.log" >&2
    exit 1
  fi
  # A display test that fails once under load gets a second chance here.
  if [ "$display_mode" != none ] && ! run_display && ! run_display; then
    echo "the display tests fail without any fault: $(first_failure "$log_folder/display.log")" >&2
    tail -n 60 "$log_folder/display.log" >&2
    exit 1
  fi
  echo "baseline: the unchanged suite passes ($((SECONDS - start)) s)"
fi

applied=0 by_unit=0 by_display=0 by_either=0 display_runs=0 not_applied=0 no_build=0
survivors=() skipped=()
for n in "${chosen[@]}"; do
  i=$((n - 1))
  start=$SECONDS
  label=$(printf '%3d %-22s %s' "$n" "${files[$i]}" "${meanings[$i]}")
  if ! apply "$n"; then
    not_applied=$((not_applied + 1))
    skipped+=("$n ${files[$i]} | ${originals[$i]}: $note")
    echo "$label -- NOT APPLIED: $note"
    continue
  fi
  if ! build_tests "$mutant_targets"; then
    restore
    no_build=$((no_build + 1))
    skipped+=("$n ${files[$i]} | ${originals[$i]}: does not compile")
    echo "$label -- NO BUILD: $(grep -m1 ': error:' "$log_folder/build.log")"
    continue
  fi
  applied=$((applied + 1))
  unit="missed" display="-" unit_detail="" display_detail=""
  if ! run_unit; then
    unit="caught"
    by_unit=$((by_unit + 1))
    unit_detail="$(first_failure "$log_folder/unit.log"): $(failure_lines "$log_folder/unit.log")"
  fi
  if [ "$display_mode" = all ] || { [ "$display_mode" = survivors ] && [ "$unit" = missed ]; }; then
    display_runs=$((display_runs + 1))
    if ! build_tests display; then
      display="no build"
    elif run_display; then
      display="missed"
    else
      display="caught"
      display_detail=$(first_failure "$log_folder/display.log")
      why=$(failure_lines "$log_folder/display.log")
      # The display tests run a real program on a busy machine: a failure
      # counts only when the same test fails again with the fault and passes
      # once the fault is gone.
      failed_test=${display_detail%% *}
      if [ -n "$failed_test" ] && run_display "^${failed_test}\$"; then
        display="flaky"
        display_detail="$failed_test passes on a second run with the fault: $why"
      elif restore && [ -n "$failed_test" ] && build_tests display &&
        ! run_display "^${failed_test}\$"; then
        display="flaky"
        display_detail="$failed_test fails without the fault too: $why"
      else
        by_display=$((by_display + 1))
        display_detail="$display_detail: $why"
      fi
    fi
  fi
  restore
  if [ "$unit" = caught ] || [ "$display" = caught ]; then
    by_either=$((by_either + 1))
    verdict="caught by"
    [ "$unit" = caught ] && verdict+=" unit ($unit_detail)"
    [ "$unit" = caught ] && [ "$display" = caught ] && verdict+=" and"
    [ "$display" = caught ] && verdict+=" display ($display_detail)"
  else
    verdict="NEITHER catches it"
    [ "$display" = flaky ] && verdict+=" (a flaky display failure: $display_detail)"
    survivors+=("$n ${files[$i]} | ${originals[$i]} | ${replacements[$i]} | ${meanings[$i]}")
  fi
  echo "$label -- unit: $unit, display: $display -- $verdict [$((SECONDS - start)) s]"
done

# Rebuild what the last fault left behind, so the build matches the tree.
build_tests "$baseline_targets" || true

echo
echo "finished $(date '+%F %T')"
echo "faults applied: $applied of ${#chosen[@]} (not applied: $not_applied, no build: $no_build)"
echo "caught by the unit tests:    $by_unit of $applied"
if [ "$display_mode" = all ]; then
  echo "caught by the display tests: $by_display of $applied"
elif [ "$display_mode" = survivors ]; then
  echo "caught by the display tests: $by_display of the $display_runs the unit tests missed (display tests ran only for those)"
fi
echo "caught by either:            $by_either of $applied"
if [ ${#survivors[@]} -gt 0 ]; then
  echo "caught by no test:"
  printf '  %s\n' "${survivors[@]}"
fi
if [ ${#skipped[@]} -gt 0 ]; then
  echo "NOT MEASURED:"
  printf '  %s\n' "${skipped[@]}"
fi
