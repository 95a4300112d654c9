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

echo "== Display tests (Xvfb)"
xvfb-run -a -s "-screen 0 1920x1080x24 -noreset" \
  ctest --test-dir build -L display --output-on-failure

echo "== Unit tests with AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DTAVIZO_SANITIZE=ON \
  -DTAVIZO_BUILD_BENCHMARKS=OFF
cmake --build build-sanitize -j "$jobs" --target unit_tests
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-sanitize -L unit --output-on-failure
