#!/usr/bin/env bash
# Installs what is missing, builds Tavizo and runs every test: the unit tests,
# the display tests under a virtual X server, and the unit tests again in a
# build with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

jobs=$(nproc 2>/dev/null || echo 2)

echo "== Unit tests"
ctest --test-dir build -L unit --output-on-failure

# The display tests run as on a fresh machine: no zenity on PATH and an X
# server with nothing but its built-in fonts. A folder of PATH that holds zenity
# is replaced by a folder of links to everything else in it.
shims=$(mktemp -d)
trap 'rm -rf "$shims"' EXIT
display_path=$(scripts/path-without-zenity.sh "$shims")

echo "== Display tests (Xvfb with built-in fonts only, no zenity)"
PATH="$display_path" xvfb-run -a -s "-screen 0 1920x1080x24 -noreset -fp built-ins" \
  bash -c 'if command -v zenity >/dev/null; then echo "zenity is still reachable" >&2; exit 1; fi
           xset q | grep -A1 "Font Path:"
           ctest --test-dir build -L display --output-on-failure'

echo "== Unit tests with AddressSanitizer and UndefinedBehaviorSanitizer"
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DTAVIZO_SANITIZE=ON "${launcher[@]}" \
  -DTAVIZO_BUILD_BENCHMARKS=OFF
cmake --build build-sanitize -j "$jobs" --target unit_tests
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  LSAN_OPTIONS=suppressions="$PWD/tests/lsan.supp":print_suppressions=0 \
  ctest --test-dir build-sanitize -L unit --output-on-failure
