#!/usr/bin/env bash
# Prints how many lines the tests and the code hold, and their ratio.
# Counted: tracked C++ files (.cpp, .h); the figure in brackets adds CMake
# files and shell scripts.
# A line counts when it holds something besides white space and comments
# ("//" and "/* */" in C++, "#" in CMake and shell).
# Tests are everything under tests/; code is everything outside tests/ and
# bench/.
set -euo pipefail
cd "$(dirname "$0")/.."

# Lists the tracked source files under the given pathspecs.
sources() {
  git ls-files -- "$@" | grep -E '(\.(cpp|h|cmake|sh)|CMakeLists\.txt)$' || true
}

# Counts the lines of the files named on standard input.
count() {
  local total=0 file lines
  while read -r file; do
    case "$file" in
      *.cpp | *.h) lines=$(awk '
        { line = $0; text = "" }
        {
          while (line != "") {
            if (inBlock) {
              end = index(line, "*/")
              if (end == 0) { line = ""; break }
              line = substr(line, end + 2); inBlock = 0
            } else {
              start = index(line, "/*"); slash = index(line, "//")
              if (slash > 0 && (start == 0 || slash < start)) { text = text substr(line, 1, slash - 1); line = ""; break }
              if (start == 0) { text = text line; line = ""; break }
              text = text substr(line, 1, start - 1); line = substr(line, start + 2); inBlock = 1
            }
          }
          if (text ~ /[^ \t]/) n++
        }
        END { print n + 0 }' "$file") ;;
      *) lines=$(grep -cvE '^[[:space:]]*(#|$)' "$file" || true) ;;
    esac
    total=$((total + lines))
  done
  echo "$total"
}

cpp() { grep -E '\.(cpp|h)$' || true; }
tests=$(sources tests | cpp | count)
code=$(sources . ':!tests' ':!bench' | cpp | count)
allTests=$(sources tests | count)
allCode=$(sources . ':!tests' ':!bench' | count)
echo "tests: $tests lines of C++ ($allTests with CMake and scripts)"
echo "code:  $code lines of C++ ($allCode with CMake and scripts), outside tests/ and bench/"
awk -v t="$tests" -v c="$code" -v at="$allTests" -v ac="$allCode" \
  'BEGIN { printf "ratio: %.1f %% (%.1f %%)\n", 100 * t / c, 100 * at / ac }'
